#pragma once

#include "forms/ui/TbcDictItem.h"

class QCheckBox;
class QLabel;
class TdmfAppUsers;

// One user's record, bound to the users list's data set (put into insert or edit state by the list),
// or shown for reading only. "Zmień hasło" puts a new password's digest into the row, saved with it.
class TAppUser : public TbcDictItem {
    Q_OBJECT
public:
    TAppUser(TdmfAppUsers& users, bool viewOnly, QWidget* parent = nullptr);

    QLineEdit* edtLogin() const { return edtLogin_; }
    QCheckBox* chkActive() const { return chkActive_; }
    QCheckBox* chkAdministrator() const { return chkAdministrator_; }
    QPushButton* btnZmienHaslo() const { return btnZmienHaslo_; }
    QLabel* lblNoPassword() const { return lblNoPassword_; }

private:
    void showRow();
    void flagToggled(const QString& fieldName, bool checked);
    void changePassword();

    TdmfAppUsers& users_;
    QLineEdit* edtLogin_;
    QCheckBox* chkActive_;
    QCheckBox* chkAdministrator_;
    QPushButton* btnZmienHaslo_;
    QLabel* lblNoPassword_;
    bool viewOnly_;
    bool showing_ = false;
};
