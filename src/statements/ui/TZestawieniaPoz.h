#pragma once

#include "forms/ui/TbcKsiegaPozycja.h"
#include "statements/TdmfZest.h"

#include <QPointer>

class DateFieldEdit;
class IdComboBinding;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The statement window: the statement's year, half-year, creation date, rate year and state, its
// entity (picked from the entity list, shown read-only), a note, and the buttons that open the
// windows of the statement's content. Each of those buttons saves the statement row first, so that
// the content always hangs under a saved statement; a button whose window is not registered
// (StatementContentWindows.h) is disabled.
//
// The rate year can be changed only while the statement has no content: the check runs when the
// window opens, when the row moves, at every change of a field and after each content window.
class TZestawieniaPoz : public TbcKsiegaPozycja {
    Q_OBJECT
public:
    explicit TZestawieniaPoz(QWidget* parent = nullptr);

    // The data module must be the statement data module (TdmfZest) and the data set its qryZest.
    void BindEntry(QObject* dataModule, Query* dataSet) override;
    TdmfZest* dmfZest() const { return dm_; }

    // Lets the user pick the statement's entity ("Wybierz podmiot zestawienia", a double click on an
    // entity field).
    void WybierzPodmiotZestawienia();
    // Empties the statement's entity ("Usuń dane podmiotu zestawienia").
    void UsunPodmiotZestawienia();
    // Saves the statement row when it is being inserted or edited, then opens the window registered
    // for the button. Nothing opens when the save fails.
    void OtworzElement(const QString& buttonName);

    // The rate-year lock, run again.
    void SprawdzRokStawek();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* addPickList(const QString& name, const QString& idField, const QString& nameField,
                           const QString& hint, IdComboBinding** binding = nullptr);
    QLineEdit* addEntityField(const QString& name, const QString& fieldName);
    QPushButton* addContentButton(const QString& name, const QString& caption, const QString& hint);
    void fillPickLists();

    QPointer<TdmfZest> dm_;
    QComboBox* cmbRok_;
    QComboBox* cmbPolrocze_;
    QComboBox* cmbRokStOpl_;
    QComboBox* cmbStanZest_;
    IdComboBinding* rokStOpl_ = nullptr;
    DateFieldEdit* edtDataUtw_;
    QList<QLineEdit*> entityFields_;
    QPlainTextEdit* memNotatka_;
};
