#include "dict/ui/TWybLok.h"

#include "dict/TdmfDict.h"
#include "forms/DataHelpers.h"
#include "platform/ui/DataGrid.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

TdmfDict& ProgramDict() {
    Q_ASSERT(dmfDict);
    return *dmfDict;
}

// Active units only; a list already open under another filter reads its rows again.
void ActiveOnlyAndOpen(Query* q) {
    const bool otherFilter = q->param(QStringLiteral("f_aktualny_1")).toInt() != 1 ||
                             q->param(QStringLiteral("f_aktualny_2")).toInt() != 1;
    SetActiveFilter(*q, FilterActive);
    if (q->isActive() && otherFilter)
        q->refresh();
    else
        OpenIfClosed(q);
}

void LocateOrFirst(Query* q, const QString& keyField, int key) {
    if (key == 0 || !q->locate(keyField, key))
        q->first();
}

int CurrentKey(const Query* q, const QString& keyField) {
    if (!q->isActive() || q->isEmpty())
        return 0;
    return int(q->fieldByName(keyField).asInteger());
}

QString CurrentText(const Query* q, const QString& field) {
    if (!q->isActive() || q->isEmpty())
        return {};
    return q->fieldByName(field).asString();
}

} // namespace

TWybLok::TWybLok(QWidget* parent) : TWybLok(ProgramDict(), parent) {}

TWybLok::TWybLok(TdmfDict& dict, QWidget* parent) : TbcDialogT1(parent), dict_(dict) {
    setObjectName(QStringLiteral("TWybLok"));
    setWindowTitle(QStringLiteral("Wybierz lokalizację ..."));

    auto* lists = new QGridLayout;
    contentLayout()->addLayout(lists, 1);
    struct ListDef {
        Query* query;
        const char* field;
        QString caption, hint, choiceHint;
        DataGrid** grid;
        QLineEdit** choice;
    };
    const ListDef defs[] = {
        {dict_.qryWojewodztwa(), "woj_nazwa", QStringLiteral("Województwo:"),
         QStringLiteral("Kliknij na województwo, które chcesz wybrać"), QStringLiteral("Wybrane województwo"),
         &grdWoj_, &edtWoj_},
        {dict_.qryPowiaty(), "pow_nazwa", QStringLiteral("Powiat:"),
         QStringLiteral("Kliknij na powiat, który chcesz wybrać"), QStringLiteral("Wybrany powiat"), &grdPow_,
         &edtPow_},
        {dict_.qryGminy(), "clc_nazwa", QStringLiteral("Gmina:"),
         QStringLiteral("Kliknij na gminę, którą chcesz wybrać"), QStringLiteral("Wybrana gmina"), &grdGm_,
         &edtGm_},
    };
    int column = 0;
    for (const ListDef& d : defs) {
        auto* label = new QLabel(d.caption, this);
        *d.grid = addList(d.query, QString::fromLatin1(d.field), d.caption, d.hint, *d.choice, d.choiceHint);
        label->setBuddy(*d.grid);
        lists->addWidget(label, 0, column);
        lists->addWidget(*d.grid, 1, column);
        lists->addWidget(*d.choice, 2, column);
        lists->setColumnStretch(column, column == 2 ? 3 : 2);
        ++column;
    }
    lists->setRowStretch(1, 1);

    resize(780, 440);
}

DataGrid* TWybLok::addList(Query* query, const QString& field, const QString& caption, const QString& hint,
                           QLineEdit*& choice, const QString& choiceHint) {
    auto* source = new DataSource(this);
    source->setDataSet(query);
    auto* grid = new DataGrid(*source, this);
    grid->setObjectName(QStringLiteral("grd") + field);
    grid->addColumn(field, caption);
    grid->setInPlaceEditing(false);
    grid->setEditOnDoubleClick(false);
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->setToolTip(hint);

    choice = new QLineEdit(this);
    choice->setReadOnly(true);
    choice->setFocusPolicy(Qt::NoFocus);
    choice->setToolTip(choiceHint);
    QLineEdit* edit = choice;
    auto show = [edit, query, field] {
        edit->setText(CurrentText(query, field));
        edit->setCursorPosition(0); // a long name shows its beginning
    };
    connect(query, &Query::currentChanged, edit, show);
    connect(query, &Query::dataSetChanged, edit, show);
    connect(query, &Query::recordChanged, edit, show);
    show();
    return grid;
}

void TWybLok::setLokalizacja(const TrLokalizacja& lokalizacja) {
    Query* woj = dict_.qryWojewodztwa();
    Query* pow = dict_.qryPowiaty();
    Query* gm = dict_.qryGminy();
    for (Query* q : {woj, pow, gm})
        ActiveOnlyAndOpen(q);
    if (lokalizacja.wojId == 0) {
        woj->first();
        pow->first();
        gm->first();
        return;
    }
    LocateOrFirst(woj, QStringLiteral("woj_id"), lokalizacja.wojId);
    LocateOrFirst(pow, QStringLiteral("pow_id"), lokalizacja.powId);
    LocateOrFirst(gm, QStringLiteral("gm_id"), lokalizacja.gmId);
}

void TWybLok::getLokalizacja(TrLokalizacja& lokalizacja) const {
    const Query* woj = dict_.qryWojewodztwa();
    const Query* pow = dict_.qryPowiaty();
    const Query* gm = dict_.qryGminy();
    lokalizacja.wojId = CurrentKey(woj, QStringLiteral("woj_id"));
    lokalizacja.wojNazwa = CurrentText(woj, QStringLiteral("woj_nazwa"));
    lokalizacja.powId = CurrentKey(pow, QStringLiteral("pow_id"));
    lokalizacja.powNazwa = CurrentText(pow, QStringLiteral("pow_nazwa"));
    lokalizacja.gmId = CurrentKey(gm, QStringLiteral("gm_id"));
    lokalizacja.gmNazwa = CurrentText(gm, QStringLiteral("clc_nazwa"));
}

bool TWybLok::pick(TrLokalizacja& lokalizacja) {
    setLokalizacja(lokalizacja);
    if (exec() != QDialog::Accepted)
        return false;
    getLokalizacja(lokalizacja);
    return true;
}

bool TWybLok::Execute(TrLokalizacja& lokalizacja, QWidget* parent) {
    TWybLok picker(parent);
    return picker.pick(lokalizacja);
}

bool WybierzLokalizacje(TrLokalizacja& lokalizacja, QWidget* parent) {
    return TWybLok::Execute(lokalizacja, parent);
}
