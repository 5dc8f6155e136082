#include "app/ui/TLogin.h"

#include "app/AppUser.h"
#include "platform/Messages.h"
#include "platform/data/DataError.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Logowanie do aplikacji");

} // namespace

TLogin::TLogin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TLogin"));
    setWindowTitle(kCaption);
    edtUser_ = new QLineEdit(this);
    edtUser_->setToolTip(QStringLiteral("Nazwa użytkownika aplikacji"));
    edtUser_->setMaxLength(16);
    connect(edtUser_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = edtUser_->cursorPosition();
        edtUser_->setText(text.toUpper());
        edtUser_->setCursorPosition(cursor);
    });
    edtPassword_ = new QLineEdit(this);
    edtPassword_->setEchoMode(QLineEdit::Password);
    edtPassword_->setToolTip(QStringLiteral("Hasło użytkownika aplikacji"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Użytkownik:"), edtUser_);
    form->addRow(QStringLiteral("Hasło:"), edtPassword_);

    btnZaloguj_ = new QPushButton(QStringLiteral("&Zaloguj"), this);
    btnZaloguj_->setDefault(true);
    btnAnuluj_ = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnZaloguj_);
    buttons->addWidget(btnAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(btnZaloguj_, &QPushButton::clicked, this, &TLogin::signIn);
    connect(btnAnuluj_, &QPushButton::clicked, this, &QDialog::reject);
    edtUser_->setFocus();
}

void TLogin::signIn() {
    bool done = false;
    try {
        done = SignIn(edtUser_->text(), edtPassword_->text(), kCaption);
    } catch (const DataError& e) {
        AppMessages().error(e.message(), kCaption);
    }
    if (done) {
        accept();
        return;
    }
    edtPassword_->clear();
    edtPassword_->setFocus();
}

bool SignInAtStartupOrAsk(QWidget* parent) {
    try {
        if (SignInSilently())
            return true;
    } catch (const DataError& e) {
        AppMessages().error(e.message(), kCaption);
        return false;
    }
    TLogin login(parent);
    return login.exec() == QDialog::Accepted;
}
