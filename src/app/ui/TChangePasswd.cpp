#include "app/ui/TChangePasswd.h"

#include "app/AppUser.h"
#include "platform/Messages.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

TChangePasswd::TChangePasswd(const QString& login, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TChangePasswd"));
    setWindowTitle(QStringLiteral("Wprowadź hasło użytkownika"));
    edtUser_ = new QLineEdit(login, this);
    edtUser_->setReadOnly(true);
    edtUser_->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edtUser_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    edtUser_->setPalette(palette);
    edtNewPw_ = new QLineEdit(this);
    edtNewPw_->setEchoMode(QLineEdit::Password);
    edtNewPw2_ = new QLineEdit(this);
    edtNewPw2_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Użytkownik:"), edtUser_);
    form->addRow(QStringLiteral("Nowe hasło:"), edtNewPw_);
    form->addRow(QStringLiteral("Powtórnie nowe hasło:"), edtNewPw2_);

    btnZapisz_ = new QPushButton(QStringLiteral("&Zapisz"), this);
    btnZapisz_->setToolTip(QStringLiteral("Zapisz zmiany i wyjdź"));
    btnZapisz_->setDefault(true);
    btnAnuluj_ = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnZapisz_);
    buttons->addWidget(btnAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(btnZapisz_, &QPushButton::clicked, this, &TChangePasswd::confirm);
    connect(btnAnuluj_, &QPushButton::clicked, this, &QDialog::reject);
    edtNewPw_->setFocus();
}

QString TChangePasswd::password() const {
    return edtNewPw_->text();
}

void TChangePasswd::confirm() {
    if (edtNewPw_->text().trimmed() != edtNewPw2_->text().trimmed()) {
        AppMessages().error(
            QStringLiteral("Hasło wprowadzone powtórnie jest inne niż wprowadzone za pierwszym razem."));
        edtNewPw2_->setFocus();
        return;
    }
    const QString error = NewPasswordError(edtNewPw_->text());
    if (!error.isEmpty()) {
        AppMessages().error(error);
        edtNewPw_->setFocus();
        return;
    }
    accept();
}

bool TChangePasswd::Ask(const QString& login, QString& password, QWidget* parent) {
    TChangePasswd dialog(login, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    password = dialog.password();
    return true;
}

void ChangeSignedInUserPassword(QWidget* parent) {
    QString password;
    if (TChangePasswd::Ask(SignedInLogin(), password, parent))
        ChangeSignedInPassword(password);
}
