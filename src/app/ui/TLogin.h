#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The sign-in window: a login (typed in capitals) and a password. "&Zaloguj" signs the user in and
// closes; a refused sign-in says why and the window stays for another try. "&Anuluj" gives up.
class TLogin : public QDialog {
    Q_OBJECT
public:
    explicit TLogin(QWidget* parent = nullptr);

    QLineEdit* edtUser() const { return edtUser_; }
    QLineEdit* edtPassword() const { return edtPassword_; }
    QPushButton* btnZaloguj() const { return btnZaloguj_; }
    QPushButton* btnAnuluj() const { return btnAnuluj_; }

private:
    void signIn();

    QLineEdit* edtUser_;
    QLineEdit* edtPassword_;
    QPushButton* btnZaloguj_;
    QPushButton* btnAnuluj_;
};

// The sign-in at start-up: ADMIN with the initial password without asking; when that is no longer
// possible (its password changed, ADMIN withdrawn or removed), the sign-in window. False when the user
// gives up: the program ends.
bool SignInAtStartupOrAsk(QWidget* parent);
