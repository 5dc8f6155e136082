#include "waste/ui/TSklOdpdNag.h"

#include "dict/ui/TWybLokIAdr.h"
#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"
#include "waste/TdmfZestOdpady.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSklOdpdNag::TSklOdpdNag(TdmfZestOdpady& odpady, QWidget* parent)
    : TbcDictItem(odpady.qrySklOdpd(), parent), odpady_(odpady) {
    setObjectName(QStringLiteral("TSklOdpdNag"));
    setWindowTitle(QStringLiteral("Lokalizacja składowiska odpadów"));

    grpLokalizacja_ = new QGroupBox(QStringLiteral("Lokalizacja składowiska odpadów"), this);
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
    edtWoj_ = locationEdit(QStringLiteral("Województwo:"), QStringLiteral("woj_nazwa"));
    edtPow_ = locationEdit(QStringLiteral("Powiat:"), QStringLiteral("pow_nazwa"));
    edtGm_ = locationEdit(QStringLiteral("Gmina:"), QStringLiteral("gm_nazwa"));
    edtAdres_ = locationEdit(QStringLiteral("Adres:"), QStringLiteral("skod_adres"));
    edtAdres_->setToolTip(QStringLiteral("Adres składowiska odpadów"));
    btnLokalizacja_ = new QPushButton(QStringLiteral("Wybierz lokalizację"), grpLokalizacja_);
    btnLokalizacja_->setObjectName(QStringLiteral("btnLokalizacja"));
    btnLokalizacja_->setAutoDefault(false);
    connect(btnLokalizacja_, &QPushButton::clicked, this, &TSklOdpdNag::WybierzLokalizacje);
    auto* group = new QVBoxLayout(grpLokalizacja_);
    group->addLayout(fields);
    group->addWidget(btnLokalizacja_, 0, Qt::AlignLeft);
    form()->addRow(grpLokalizacja_);

    resize(520, sizeHint().height());
}

void TSklOdpdNag::WybierzLokalizacje() {
    TrLokalizacja location;
    if (!RunDataCommand([&] { odpady_.ReadLocation(location); }))
        return;
    if (!WybierzLokalizacjeIAdres(location, this))
        return;
    RunDataCommand([&] { odpady_.WriteLocation(location); });
}

bool TSklOdpdNag::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == edtWoj_ || watched == edtPow_ || watched == edtGm_ || watched == edtAdres_)) {
        WybierzLokalizacje();
        return true;
    }
    return TbcDictItem::eventFilter(watched, event);
}
