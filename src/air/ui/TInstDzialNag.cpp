#include "air/ui/TInstDzialNag.h"

#include "air/ui/AirWindowParts.h"
#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {
const char* const kLocationCaptions[] = {"Województwo:", "Powiat:", "Gmina:", "Adres:"};
const char* const kLocationFields[] = {"woj_nazwa", "pow_nazwa", "gm_nazwa", "ild_adres"};
} // namespace

TInstDzialNag::TInstDzialNag(Query* installations, QWidget* parent)
    : TbcDictItem(installations, parent), installations_(installations) {
    setObjectName(QStringLiteral("TInstDzialNag"));
    setWindowTitle(QStringLiteral("Lokalizacja instalacji lub działalności "));
    addEdit(QStringLiteral("Rodzaj instalacji lub działalności:"), QStringLiteral("ild_rodzaj"))
        ->setMinimumWidth(420);

    auto* group = new QGroupBox(QStringLiteral("Lokalizacja instalacji lub działalności"), this);
    auto* groupForm = new QFormLayout(group);
    for (int i = 0; i < 4; ++i) {
        location_[i] = new QLineEdit(group);
        location_[i]->setReadOnly(true);
        location_[i]->installEventFilter(this);
        if (i < 3) {
            groupForm->addRow(QString::fromUtf8(kLocationCaptions[i]), location_[i]);
        } else {
            btnLok_ = new QToolButton(group);
            btnLok_->setObjectName(QStringLiteral("btnWybierzLokalizacje"));
            btnLok_->setText(QStringLiteral("..."));
            btnLok_->setToolTip(QStringLiteral("Wybierz lokalizację"));
            connect(btnLok_, &QToolButton::clicked, this, &TInstDzialNag::wybierzLokalizacje);
            auto* row = new QHBoxLayout;
            row->addWidget(location_[i], 1);
            row->addWidget(btnLok_);
            groupForm->addRow(QString::fromUtf8(kLocationCaptions[i]), row);
        }
    }
    form()->addRow(group);
    showLocation();
}

void TInstDzialNag::showLocation() {
    for (int i = 0; i < 4; ++i)
        location_[i]->setText(
            installations_->fieldByName(QString::fromLatin1(kLocationFields[i])).asString());
}

void TInstDzialNag::wybierzLokalizacje() {
    RunDataCommand([this] {
        AirWindowParts::PickPlace(*installations_, QStringLiteral("ild_gm_id"), QStringLiteral("ild_adres"),
                                  this);
    });
    showLocation();
}

bool TInstDzialNag::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        for (QLineEdit* e : location_)
            if (watched == e) {
                wybierzLokalizacje();
                return true;
            }
    return TbcDictItem::eventFilter(watched, event);
}
