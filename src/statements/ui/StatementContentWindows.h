#pragma once

#include <QString>

#include <functional>

class QWidget;
class TdmfZest;

// The windows of a statement's content, opened from the buttons of the statement window
// (TZestawieniaPoz). Each fee module registers the window behind its button once, at start-up; a
// button whose window is not registered stays disabled.
//
// The statement window calls the registered function after it has saved the statement row, with the
// statement data module positioned on that statement. The function does whatever its window needs
// before it is shown (Table D: the statement parameter of its fee list set to the current `z_id` and
// the fee rows created when the statement has none; water withdrawal: the water-type parameter
// `tuw_id` of the intake list set to 100 for underground and 101 for surface water), then shows the
// window modally on the module. A failure of the data layer may be thrown: it is shown to the user.
using ContentWindow = std::function<void(TdmfZest& dm, QWidget* parent)>;

// Object names of the buttons of the statement window, the keys of the registry.
namespace ContentButton {
// "Wprowadzanie gazów lub pyłów do powietrza"
inline const QString TabelaA = QStringLiteral("btnTabelaA");
inline const QString TabelaB = QStringLiteral("btnTabelaB");
inline const QString TabelaC = QStringLiteral("btnTabelaC");
inline const QString TabelaD = QStringLiteral("btnTabelaD");
// "Pobór wody i wprowadzanie ścieków"
inline const QString WodaPodziemna = QStringLiteral("btnWodaPodziemna");
inline const QString WodaPowierzchniowa = QStringLiteral("btnWodaPowierzchniowa");
inline const QString Scieki = QStringLiteral("btnScieki");
// "Składowanie odpadów"
inline const QString OdpadyTabelaA = QStringLiteral("btnOdpadyTabelaA");
// Annex 2 header and the collective summary.
inline const QString Zalacznik2 = QStringLiteral("btnZalacznik2");
inline const QString ZestZb = QStringLiteral("btnZestZb");
} // namespace ContentButton

// Registers the window behind a button; an empty function removes the registration.
void RegisterContentWindow(const QString& buttonName, ContentWindow window);
// The window registered for a button; an empty function when there is none.
ContentWindow FindContentWindow(const QString& buttonName);
