#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The new password of one user, typed twice. "&Zapisz" closes only when both entries agree (blanks
// around them aside) and the password can be stored; otherwise it says why and stays open.
class TChangePasswd : public QDialog {
    Q_OBJECT
public:
    explicit TChangePasswd(const QString& login, QWidget* parent = nullptr);

    // Asks for the new password of the login; false when given up.
    static bool Ask(const QString& login, QString& password, QWidget* parent = nullptr);

    QLineEdit* edtUser() const { return edtUser_; }
    QLineEdit* edtNewPw() const { return edtNewPw_; }
    QLineEdit* edtNewPw2() const { return edtNewPw2_; }
    QPushButton* btnZapisz() const { return btnZapisz_; }
    QPushButton* btnAnuluj() const { return btnAnuluj_; }
    QString password() const;

private:
    void confirm();

    QLineEdit* edtUser_;
    QLineEdit* edtNewPw_;
    QLineEdit* edtNewPw2_;
    QPushButton* btnZapisz_;
    QPushButton* btnAnuluj_;
};

// "Zmień &hasło" of the main menu: the signed-in user's new password, stored when confirmed.
void ChangeSignedInUserPassword(QWidget* parent);
