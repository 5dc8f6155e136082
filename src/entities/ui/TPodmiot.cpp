#include "entities/ui/TPodmiot.h"

#include "dict/ui/TWybLok.h"
#include "entities/TdmfPodmioty.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

TPodmiot::TPodmiot(TdmfPodmioty& dmf, QWidget* parent) : TbcDictItem(dmf.qryPodmioty(), parent), dmf_(dmf) {
    setObjectName(QStringLiteral("TPodmiot"));
    setWindowTitle(QStringLiteral("Podmiot"));

    edtNazwa_ = addEdit(QStringLiteral("Nazwa:"), QStringLiteral("PDM_NAZWA"));
    edtNazwa_->setToolTip(QStringLiteral("Nazwa podmiotu"));
    edtAdres_ = addEdit(QStringLiteral("Adres:"), QStringLiteral("PDM_ADRES"));
    edtAdres_->setToolTip(QStringLiteral("Adres"));
    edtRegon_ = addEdit(QStringLiteral("REGON:"), QStringLiteral("PDM_REGON"));
    edtRegon_->setToolTip(QStringLiteral("REGON podmiotu"));
    edtRegon_->installEventFilter(this);
    edtTelefonFaks_ = addEdit(QStringLiteral("Telefon/faks:"), QStringLiteral("PDM_TELEFON_FAKS"));
    edtTelefonFaks_->setToolTip(QStringLiteral("Nr telefonu lub faksu"));

    grpLokalizacja_ = new QGroupBox(QStringLiteral("Lokalizacja podmiotu"), this);
    auto* fields = new QFormLayout;
    const auto locationEdit = [this, fields](const QString& caption, const QString& fieldName) {
        auto* edit = new QLineEdit(grpLokalizacja_);
        fields->addRow(caption, edit);
        FieldBinding::bind(edit, *dsMain, fieldName);
        edit->setReadOnly(true);
        // A double click on the location opens the picker, like the button.
        edit->installEventFilter(this);
        return edit;
    };
    edtWoj_ = locationEdit(QStringLiteral("Województwo:"), QStringLiteral("WOJ_NAZWA"));
    edtPow_ = locationEdit(QStringLiteral("Powiat:"), QStringLiteral("POW_NAZWA"));
    edtGm_ = locationEdit(QStringLiteral("Gmina:"), QStringLiteral("GM_NAZWA"));
    btnLokalizacja_ = new QToolButton(grpLokalizacja_);
    btnLokalizacja_->setObjectName(QStringLiteral("btnLokalizacja"));
    btnLokalizacja_->setText(QStringLiteral("..."));
    btnLokalizacja_->setToolTip(QStringLiteral("Wybierz lokalizację"));
    connect(btnLokalizacja_, &QToolButton::clicked, this, &TPodmiot::WybierzLokalizacje);
    auto* group = new QHBoxLayout(grpLokalizacja_);
    group->addLayout(fields, 1);
    group->addWidget(btnLokalizacja_, 0, Qt::AlignTop);
    form()->addRow(grpLokalizacja_);

    resize(480, sizeHint().height());
}

void TPodmiot::WybierzLokalizacje() {
    // What is typed so far stays with the row while the picker is open.
    if (!FieldBinding::commitAll(this))
        return;
    TrLokalizacja location;
    if (!RunDataCommand([&] { dmf_.ReadLocation(location); }))
        return;
    if (!::WybierzLokalizacje(location, this))
        return;
    RunDataCommand([&] { dmf_.WriteLocation(location); });
}

bool TPodmiot::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtRegon_ && event->type() == QEvent::KeyPress) {
        // REGON is typed as digits; other characters are swallowed (editing and shortcut keys pass).
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typesCharacter =
            !text.isEmpty() && text.at(0).isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (typesCharacter &&
            !(text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')))
            return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == edtWoj_ || watched == edtPow_ || watched == edtGm_)) {
        WybierzLokalizacje();
        return true;
    }
    return TbcDictItem::eventFilter(watched, event);
}
