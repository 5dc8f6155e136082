#include "waste/ui/TOdpadySkladowe.h"

#include "dict/ui/TWybRdzOdpd.h"
#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"
#include "statements/TdmfZest.h"
#include "waste/TdmfZestOdpady.h"
#include "waste/ui/FieldView.h"

#include <QAction>
#include <QFormLayout>
#include <QLineEdit>

TOdpadySkladowe::TOdpadySkladowe(TdmfZestOdpady& odpady, QWidget* parent)
    : TbcDlgMD_T2(parent), odpady_(odpady) {
    setObjectName(QStringLiteral("TOdpadySkladowe"));
    setWindowTitle(QStringLiteral("Odpady składowe odpadu składowanego nieselektywnie"));

    // The mixed waste is only shown here: its mass and rate come from the components.
    for (QAction* a : {actMPopraw(), actMPost(), actMCancel()})
        a->setVisible(false);
    const auto shown = [this](const QString& caption, const QString& field, const QString& hint, int width) {
        auto* edit = new QLineEdit(pnlMaster());
        edit->setObjectName(QStringLiteral("edt_") + field);
        edit->setToolTip(hint);
        if (width > 0)
            edit->setMaximumWidth(width);
        masterForm()->addRow(caption, edit);
        ShowFieldReadOnly(edit, *dsM, field);
        return edit;
    };
    edtKod_ = shown(QStringLiteral("Kod:"), QStringLiteral("sotl_kod"), QString(), 120);
    edtRodzaj_ = shown(QStringLiteral("Rodzaj odpadu:"), QStringLiteral("sotl_rodzaj"), QString(), 0);
    edtMasa_ = shown(QStringLiteral("Masa [Mg]:"), QStringLiteral("odpd_masa"),
                     QStringLiteral("Masa składowango nieselektywnie odpadu"), 120);
    edtJednStOpl_ = shown(QStringLiteral("J. st. opł. [Mg/zł]:"), QStringLiteral("odpd_jedn_st_opl"),
                          QStringLiteral("Jednostkowa stawka opłaty za składowanie odpadu"), 120);
    for (QLineEdit* e : {edtMasa_, edtJednStOpl_})
        e->setAlignment(Qt::AlignRight);

    grdD()->addColumn(QStringLiteral("sotl_kod"), QStringLiteral("Kod"), ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("sotl_rodzaj"), QStringLiteral("Rodzaj odpadu"), ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("odpdsk_masa"), QStringLiteral("Masa [Mg]"));
    grdD()->addColumn(QStringLiteral("odpdsk_jedn_st_opl"), QStringLiteral("J. st. opł. [Mg/zł]"),
                      ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("odpdsk_id"), QStringLiteral("Nr sys."), ColumnReadOnly);
    grdD()->setColumnWidthHint(0, 80);
    grdD()->setColumnWidthHint(1, 360);
    resize(760, 480);
}

void TOdpadySkladowe::BindDataSets(TdmfZestOdpady& odpady) {
    Query* components = odpady.qryOdpdS();
    RunDataCommand([components] { components->close(); });
    TbcDlgMD_T2::BindDataSets(&odpady, odpady.qryOdpdNs(), components);
    grdD()->fitColumns();
}

void TOdpadySkladowe::Pokaz(TdmfZestOdpady& odpady, QWidget* parent) {
    auto* dialog = new TOdpadySkladowe(odpady, parent);
    dialog->BindDataSets(odpady);
    dialog->exec();
}

void TOdpadySkladowe::actDDodajExecute() {
    if (!commitEditors())
        return;
    if (!RunDataCommand([this] {
            if (Query* mixed = dsM->dataSet(); mixed && mixed->isEditing())
                mixed->post();
        }))
        return;
    TrRodzajOdpadu rodzaj;
    if (!TWybRdzOdpd::Pick(odpady_.zest().RokStOplId(), rodzaj, this))
        return;
    if (detailCommands().run([&] { odpady_.DodajSkladnik(rodzaj.sotlId); })) {
        grdD()->setFocus();
        grdD()->setCurrentIndex(grdD()->model()->index(dsD->dataSet()->recNo(),
                                                       grdD()->columnOfField(QStringLiteral("odpdsk_masa"))));
    }
}
