#include "app/ui/TAppUser.h"

#include "app/TdmfAppUsers.h"
#include "app/ui/TChangePasswd.h"
#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TAppUser::TAppUser(TdmfAppUsers& users, bool viewOnly, QWidget* parent)
    : TbcDictItem(users.qryAppUsers(), parent), users_(users), viewOnly_(viewOnly) {
    setObjectName(QStringLiteral("TAppUser"));
    setWindowTitle(QStringLiteral("Przegląd danych użytkownika aplikacji"));
    OpenIfClosed(users.qryAppUsers());

    edtLogin_ = addEdit(QStringLiteral("Kod:"), QStringLiteral("AU_LOGIN"));
    connect(edtLogin_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = edtLogin_->cursorPosition();
        edtLogin_->setText(text.toUpper());
        edtLogin_->setCursorPosition(cursor);
    });
    QList<QWidget*> edits{edtLogin_};
    edits << addEdit(QStringLiteral("Imię:"), QStringLiteral("AU_FIRST_NAME"))
          << addEdit(QStringLiteral("Nazwisko:"), QStringLiteral("AU_LAST_NAME"));
    QLineEdit* role = addEdit(QStringLiteral("Funkcja:"), QStringLiteral("AU_BUSINESS_ROLE"));
    role->setToolTip(QStringLiteral("Funkcja użytkownika w organizacji"));
    edits << role << addMemo(QStringLiteral("Notatka:"), QStringLiteral("AU_NOTE"));

    chkActive_ = new QCheckBox(QStringLiteral("Aktywny"), this);
    chkAdministrator_ = new QCheckBox(QStringLiteral("Administrator"), this);
    auto* flags = new QHBoxLayout;
    flags->addWidget(chkActive_);
    flags->addWidget(chkAdministrator_);
    flags->addStretch(1);
    form()->addRow(QString(), flags);

    btnZmienHaslo_ = new QPushButton(QStringLiteral("Zmień hasło"), this);
    btnZmienHaslo_->setToolTip(QStringLiteral("Zmień hasło dostępu do aplikacji"));
    lblNoPassword_ = new QLabel(QStringLiteral("Hasło nie zostało ustawione!"), this);
    QPalette warning = lblNoPassword_->palette();
    warning.setColor(QPalette::WindowText, Qt::red);
    lblNoPassword_->setPalette(warning);
    auto* password = new QHBoxLayout;
    password->addWidget(btnZmienHaslo_);
    password->addWidget(lblNoPassword_);
    password->addStretch(1);
    form()->addRow(QString(), password);

    btnZapisz()->setToolTip(QStringLiteral("Zapisz zmiany i wyjdź"));
    btnAnuluj()->setToolTip(QStringLiteral("Zamknij formularz bez zapisu zmian danych "));

    connect(chkActive_, &QCheckBox::toggled, this,
            [this](bool on) { flagToggled(QStringLiteral("AU_ACTIVE"), on); });
    connect(chkAdministrator_, &QCheckBox::toggled, this,
            [this](bool on) { flagToggled(QStringLiteral("AU_ADMINISTRATOR"), on); });
    connect(btnZmienHaslo_, &QPushButton::clicked, this, &TAppUser::changePassword);
    Query* q = users.qryAppUsers();
    connect(q, &Query::recordChanged, this, &TAppUser::showRow);
    connect(q, &Query::currentChanged, this, &TAppUser::showRow);
    connect(q, &Query::dataSetChanged, this, &TAppUser::showRow);
    // A saved row is shown in the list as the database holds it.
    connect(this, &QDialog::accepted, this,
            [q] { RunDataCommand([q] { RefreshKeepKey(*q, QStringLiteral("AU_ID")); }); });
    connect(this, &QDialog::rejected, this,
            [q] { RunDataCommand([q] { RefreshKeepKey(*q, QStringLiteral("AU_ID")); }); });

    if (viewOnly) {
        btnZapisz()->hide();
        btnAnuluj()->setText(QStringLiteral("Zamknij"));
        btnAnuluj()->setDefault(true);
        btnZmienHaslo_->hide();
        for (QWidget* w : edits) {
            if (auto* line = qobject_cast<QLineEdit*>(w))
                line->setReadOnly(true);
            if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
                memo->setReadOnly(true);
            QPalette palette = w->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
            w->setPalette(palette);
        }
        for (QCheckBox* box : {chkActive_, chkAdministrator_}) {
            box->setAttribute(Qt::WA_TransparentForMouseEvents);
            box->setFocusPolicy(Qt::NoFocus);
        }
    }
    setMinimumWidth(420);
    showRow();
}

void TAppUser::showRow() {
    Query* q = users_.qryAppUsers();
    if (!q->isActive() || (q->isEmpty() && !q->isEditing()))
        return;
    showing_ = true;
    chkActive_->setChecked(q->fieldByName(QStringLiteral("AU_ACTIVE")).asInteger() != 0);
    chkAdministrator_->setChecked(q->fieldByName(QStringLiteral("AU_ADMINISTRATOR")).asInteger() != 0);
    lblNoPassword_->setVisible(q->fieldByName(QStringLiteral("clc_f_jest_pw")).asString() ==
                               QLatin1String("-"));
    showing_ = false;
}

void TAppUser::flagToggled(const QString& fieldName, bool checked) {
    if (showing_)
        return;
    if (viewOnly_) {
        showRow();
        return;
    }
    RunDataCommand([&] {
        Query* q = users_.qryAppUsers();
        EnsureEdit(q);
        q->fieldByName(fieldName).setValue(checked ? 1 : 0);
    });
}

void TAppUser::changePassword() {
    // The login as typed so far.
    if (!FieldBinding::commitAll(this))
        return;
    Query* q = users_.qryAppUsers();
    QString password;
    if (!TChangePasswd::Ask(q->fieldByName(QStringLiteral("AU_LOGIN")).asString(), password, this))
        return;
    RunDataCommand([&] {
        EnsureEdit(q);
        users_.SetPassword(password);
    });
    showRow();
}
