#include "air/ui/TPrzeliczL2Mg.h"

#include "air/AirFees.h"
#include "air/TdmfZestAir.h"
#include "platform/Messages.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QAction>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kDensityMessage = QStringLiteral("Gęstość paliwa musi być liczbą większą od zera.");

const char* const kLitresHints[] = {"Ilość benzyny silnikowej w litrach", "Ilość oleju napędowego w litrach",
                                    ""};
const char* const kLitresCaptions[] = {
    "Ilość paliwa w LITRACH:", "Ilość ON w LITRACH:", "Ilość paliwa w LITRACH:"};

QLineEdit* NumberEdit(QWidget* parent, const QString& name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

std::optional<Decimal> Number(const QLineEdit* edit) {
    if (edit->text().trimmed().isEmpty())
        return Decimal(0);
    return Decimal::fromText(edit->text());
}

} // namespace

TPrzeliczL2Mg::TPrzeliczL2Mg(Query* target, const QString& targetField, QWidget* parent)
    : TbcDialogT1(parent), target_(target), targetField_(targetField) {
    setObjectName(QStringLiteral("TPrzeliczL2Mg"));
    setWindowTitle(QStringLiteral("Przeliczanie ilości paliwa z litrów na Mg "));
    setAttribute(Qt::WA_DeleteOnClose);

    pcGestosc_ = new QTabWidget(this);
    pcGestosc_->setObjectName(QStringLiteral("pcGestosc"));
    const char* const tabs[] = {"Gęstość dla BS", "Gęstość dla ON", "Gęstość użytkownika"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new QWidget(pcGestosc_);
        auto* form = new QFormLayout(page);
        litres_[i] =
            NumberEdit(page, QStringLiteral("edtLitry%1").arg(i + 1), QString::fromUtf8(kLitresHints[i]));
        auto* row = new QHBoxLayout;
        row->addWidget(litres_[i], 1);
        row->addWidget(new QLabel(QStringLiteral("[l]"), page));
        auto* btn = new QPushButton(QStringLiteral("&Przelicz"), page);
        btn->setObjectName(QStringLiteral("btnPrzelicz%1").arg(i + 1));
        btn->setToolTip(QStringLiteral(
            "Wylicz ponownie ilość paliwa w mega gramach na podstawie ilości wyrażonej w litrach"));
        connect(btn, &QPushButton::clicked, this, &TPrzeliczL2Mg::przelicz);
        row->addWidget(btn);
        form->addRow(QString::fromUtf8(kLitresCaptions[i]), row);
        connect(litres_[i], &QLineEdit::textChanged, this, &TPrzeliczL2Mg::przelicz);

        auto* density = new QHBoxLayout;
        if (i < 2) {
            auto* shown = NumberEdit(page, QStringLiteral("edtGestosc%1").arg(i + 1),
                                     i == 0 ? QStringLiteral("Gęstość standardowa benzyny silnikowej ")
                                            : QStringLiteral("Gęstość standardowa oleju napędowego "));
            shown->setReadOnly(true);
            shown->setText(FormatNumber(i == 0 ? AirFees::PetrolDensity() : AirFees::DieselDensity(),
                                        i == 0 ? QStringLiteral("0.000") : QStringLiteral("0.00")));
            density->addWidget(shown, 1);
            density->addWidget(new QLabel(QStringLiteral("[kg/l]"), page));
            if (i == 0) {
                auto* info = new QToolButton(page);
                info->setObjectName(QStringLiteral("btnInfo"));
                info->setText(QStringLiteral("?"));
                connect(info, &QToolButton::clicked, this, [] {
                    AppMessages().information(QStringLiteral(
                        "Gęstość standardowa: \nZgodnie z Rozporządzeniem Ministra Środowiska z 18.06.2009 "
                        "r. w "
                        "sprawie wzorów wykazów zawierających informacje i dane o zakresie korzystania ze "
                        "środowiska oraz o wysokości należnych opłat (Dz. U. z 2009 r. Nr 97 poz. 816)."));
                });
                density->addWidget(info);
            }
            form->addRow(QStringLiteral("Gęstość standardowa:"), density);
        } else {
            userDensity_ =
                NumberEdit(page, QStringLiteral("edtGestoscUzytkownika"),
                           QStringLiteral("Gęstość benzyny silnikowej zadana przez Użytkownika aplikacji"));
            userDensity_->setText(FormatNumber(AirFees::PetrolDensity(), QStringLiteral("0.000")));
            connect(userDensity_, &QLineEdit::textChanged, this, &TPrzeliczL2Mg::przelicz);
            connect(userDensity_, &QLineEdit::editingFinished, this, [this] {
                const std::optional<Decimal> d = Decimal::fromText(userDensity_->text());
                if (!d || d->sign() <= 0)
                    AppMessages().error(kDensityMessage);
            });
            density->addWidget(userDensity_, 1);
            density->addWidget(new QLabel(QStringLiteral("[kg/l]"), page));
            form->addRow(QStringLiteral("Gęstość użytkownika:"), density);
        }
        pcGestosc_->addTab(page, QString::fromUtf8(tabs[i]));
    }
    connect(pcGestosc_, &QTabWidget::currentChanged, this, &TPrzeliczL2Mg::przelicz);
    contentLayout()->addWidget(pcGestosc_);

    auto* resultForm = new QFormLayout;
    result_ = NumberEdit(this, QStringLiteral("edtWynik"),
                         QStringLiteral("Ilość paliwa wyrażona w mega gramach [Mg]"));
    result_->setReadOnly(true);
    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(result_, 1);
    resultRow->addWidget(new QLabel(QStringLiteral("[Mg]"), this));
    resultForm->addRow(QStringLiteral("Ilość paliwa MEGA GRAMACH:"), resultRow);
    contentLayout()->addLayout(resultForm);

    btnOK()->setText(QStringLiteral("Wstaw wynik w [Mg] do formularza"));
    btnOK()->setObjectName(QStringLiteral("btnWstaw"));
    btnOK()->setVisible(target_ != nullptr);
    disconnect(btnOK(), nullptr, this, nullptr);
    connect(btnOK(), &QPushButton::clicked, this, &TPrzeliczL2Mg::wstaw);
    auto* insertKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+J")), this);
    connect(insertKey, &QShortcut::activated, this, [this] {
        if (btnOK()->isVisible() && btnOK()->isEnabled())
            wstaw();
    });
    if (target_) {
        connect(target_, &Query::currentChanged, this, &TPrzeliczL2Mg::updateInsert);
        connect(target_, &Query::dataSetChanged, this, &TPrzeliczL2Mg::updateInsert);
    }
    pcGestosc_->setCurrentIndex(0);
    przelicz();
}

std::optional<Decimal> TPrzeliczL2Mg::wynik() const {
    const int tab = pcGestosc_->currentIndex();
    const std::optional<Decimal> litres = Number(litres_[tab]);
    std::optional<Decimal> density = tab == 0   ? AirFees::PetrolDensity()
                                     : tab == 1 ? AirFees::DieselDensity()
                                                : Decimal::fromText(userDensity_->text());
    if (!litres || !density || density->sign() <= 0)
        return std::nullopt;
    return AirFees::LitresToMegagrams(*litres, *density);
}

void TPrzeliczL2Mg::przelicz() {
    const std::optional<Decimal> mg = wynik();
    result_->setText(mg ? FormatNumber(*mg, QStringLiteral("0.000000")) : QString());
    updateInsert();
}

void TPrzeliczL2Mg::updateInsert() {
    btnOK()->setEnabled(TdmfZestAir::MoznaWstawic(target_));
}

void TPrzeliczL2Mg::wstaw() {
    if (!target_)
        return;
    const std::optional<Decimal> mg = wynik();
    if (!mg) {
        AppMessages().error(pcGestosc_->currentIndex() == 2
                                ? kDensityMessage
                                : QStringLiteral("Ilość paliwa w litrach musi być liczbą."));
        return;
    }
    if (RunDataCommand([this, &mg] { TdmfZestAir::WstawWynik(*target_, targetField_, *mg); }))
        accept();
}

void TPrzeliczL2Mg::Przelicz(Query* target, const QString& targetField, QWidget* parent) {
    auto* dlg = new TPrzeliczL2Mg(target, targetField, parent);
    dlg->exec();
}
