#pragma once

#include "forms/ui/TbcDialogT1.h"
#include "platform/Decimal.h"

#include <QPointer>

#include <optional>

class Query;
class QLineEdit;
class QTabWidget;

// The litres-to-megagrams converter: a quantity of fuel in litres turned into megagrams with the
// standard density of motor petrol, of diesel oil or a density the user gives. With a target (the
// quantity field of a fee list), "Wstaw wynik w [Mg] do formularza" puts the result into the list's
// current row and saves it; the button is there only with a target and enabled only while the list
// has a current row.
class TPrzeliczL2Mg : public TbcDialogT1 {
    Q_OBJECT
public:
    explicit TPrzeliczL2Mg(Query* target = nullptr, const QString& targetField = QString(),
                           QWidget* parent = nullptr);

    // Opens the converter modally on the target.
    static void Przelicz(Query* target, const QString& targetField, QWidget* parent);

    QTabWidget* pcGestosc() const { return pcGestosc_; }
    // The litre inputs of the three tabs, the user's density and the result.
    QLineEdit* edtLitry(int tab) const { return litres_[tab]; }
    QLineEdit* edtGestoscUzytkownika() const { return userDensity_; }
    QLineEdit* edtWynik() const { return result_; }
    QPushButton* btnWstaw() const { return btnOK(); }

    // The result of the tab shown; nothing when the user's density is not a positive number.
    std::optional<Decimal> wynik() const;

public slots:
    void przelicz();

private:
    void wstaw();
    void updateInsert();

    QPointer<Query> target_;
    QString targetField_;
    QTabWidget* pcGestosc_;
    QLineEdit* litres_[3];
    QLineEdit* userDensity_;
    QLineEdit* result_;
};
