#include "app/TdmfAppUsers.h"

#include "app/AppUser.h"
#include "forms/DataHelpers.h"
#include "platform/Messages.h"
#include "platform/data/TableDef.h"

#include <QSqlQuery>

namespace {

// "%1": what can't be done, with the login.
const QString kLastAdministrator =
    QStringLiteral("Nie można %1: jest to jedyny aktywny administrator aplikacji.");

} // namespace

TdmfAppUsers::TdmfAppUsers(Connection& connection, QObject* parent)
    : QObject(parent), connection_(connection), qryAppUsers_(new Query(connection, this)) {
    Query& q = *qryAppUsers_;
    q.setSql(QStringList{QStringLiteral("SELECT *"), QStringLiteral("FROM app_users")});
    ApplyTableDef(q, TableDef{QStringLiteral("app_users"),
                              QStringLiteral("AU_ID"),
                              {QStringLiteral("AU_LOGIN"), QStringLiteral("AU_PW"),
                               QStringLiteral("AU_FIRST_NAME"), QStringLiteral("AU_LAST_NAME"),
                               QStringLiteral("AU_ACTIVE"), QStringLiteral("AU_ADMINISTRATOR"),
                               QStringLiteral("AU_NOTE"), QStringLiteral("AU_BUSINESS_ROLE")},
                              {}});

    q.field(QStringLiteral("AU_ID")).setLabel(QStringLiteral("Nr sys.")).setReadOnly();
    q.field(QStringLiteral("AU_LOGIN")).setLabel(QStringLiteral("Kod użytkownika")).setSize(16);
    q.field(QStringLiteral("AU_PW")).setLabel(QStringLiteral("Hasło")).setSize(48).setVisible(false);
    q.field(QStringLiteral("AU_FIRST_NAME")).setLabel(QStringLiteral("Imię")).setSize(16);
    q.field(QStringLiteral("AU_LAST_NAME")).setLabel(QStringLiteral("Nazwisko")).setSize(32).setRequired();
    q.field(QStringLiteral("AU_ACTIVE")).setLabel(QStringLiteral("Aktywny")).setRequired().setVisible(false);
    q.field(QStringLiteral("AU_ADMINISTRATOR"))
        .setLabel(QStringLiteral("Administrator"))
        .setRequired()
        .setVisible(false);
    q.field(QStringLiteral("AU_NOTE")).setLabel(QStringLiteral("Uwagi")).setSize(128);
    q.field(QStringLiteral("AU_BUSINESS_ROLE")).setLabel(QStringLiteral("Funkcja")).setSize(64);
    q.addCalculatedField(QStringLiteral("clc_active"), FieldType::String, 1)
        .setLabel(QStringLiteral("Aktywny"));
    q.addCalculatedField(QStringLiteral("clc_administrator"), FieldType::String, 1)
        .setLabel(QStringLiteral("Administrator"));
    q.addCalculatedField(QStringLiteral("clc_f_jest_pw"), FieldType::String, 1)
        .setLabel(QStringLiteral("Ust. hasło"));
    q.onCalcFields += [](Query& r) {
        r.fieldByName(QStringLiteral("clc_active"))
            .setValue(FlagText(r.fieldByName(QStringLiteral("AU_ACTIVE")).asInteger() != 0));
        r.fieldByName(QStringLiteral("clc_administrator"))
            .setValue(FlagText(r.fieldByName(QStringLiteral("AU_ADMINISTRATOR")).asInteger() != 0));
        r.fieldByName(QStringLiteral("clc_f_jest_pw"))
            .setValue(FlagText(!PasswordNotSet(r.fieldByName(QStringLiteral("AU_PW")).asString())));
    };

    WireRecordErrors(q, QStringLiteral("Użytkownika aplikacji"), QStringLiteral("Użytkownik aplikacji"));

    q.afterInsert += [](Query& r) {
        r.fieldByName(QStringLiteral("AU_ACTIVE")).setValue(1);
        r.fieldByName(QStringLiteral("AU_ADMINISTRATOR")).setValue(0);
        // A new user has no password yet and signs in with an empty one until it is set.
        r.fieldByName(QStringLiteral("AU_PW")).setValue(PasswordDigest(QString()));
    };
    q.beforePost += [this](Query& r) { checkBeforePost(r); };
    q.beforeDelete += [this](Query& r) { checkBeforeDelete(r); };
}

void TdmfAppUsers::SetPassword(const QString& password) {
    qryAppUsers_->fieldByName(QStringLiteral("AU_PW")).setValue(PasswordDigest(password));
}

bool TdmfAppUsers::isLastAdministrator(int id, QString* storedLogin) {
    QSqlQuery stored = connection_.run(
        QStringLiteral(
            "SELECT au_login FROM app_users WHERE au_id = ? AND au_active <> 0 AND au_administrator <> 0"),
        {id});
    if (!stored.next())
        return false;
    if (storedLogin)
        *storedLogin = stored.value(0).toString();
    QSqlQuery others = connection_.run(
        QStringLiteral(
            "SELECT COUNT(*) FROM app_users WHERE au_id <> ? AND au_active <> 0 AND au_administrator <> 0"),
        {id});
    return others.next() && others.value(0).toInt() == 0;
}

void TdmfAppUsers::checkBeforePost(Query& r) {
    Field& login = r.fieldByName(QStringLiteral("AU_LOGIN"));
    const QString typed = login.asString().trimmed();
    if (typed.isEmpty()) {
        AppMessages().error(QStringLiteral("Podaj kod użytkownika."));
        Abort();
    }
    if (typed != login.asString())
        login.setValue(typed);
    const int id = int(r.fieldByName(QStringLiteral("AU_ID")).asInteger());

    // The table's unique key tells capitals from small letters; two logins that differ only so would
    // be two users that nobody can tell apart when signing in.
    QSqlQuery logins =
        connection_.run(QStringLiteral("SELECT au_login FROM app_users WHERE au_id <> ?"), {id});
    while (logins.next())
        if (logins.value(0).toString().trimmed().compare(typed, Qt::CaseInsensitive) == 0) {
            AppMessages().error(
                QStringLiteral("Kod użytkownika %1 jest już używany przez innego użytkownika.")
                    .arg(logins.value(0).toString().trimmed()));
            Abort();
        }

    QString storedLogin;
    if (!isLastAdministrator(id, &storedLogin))
        return;
    const bool active = r.fieldByName(QStringLiteral("AU_ACTIVE")).asInteger() != 0;
    const bool administrator = r.fieldByName(QStringLiteral("AU_ADMINISTRATOR")).asInteger() != 0;
    QString what;
    if (!active)
        what = QStringLiteral("wyłączyć użytkownika %1");
    else if (!administrator)
        what = QStringLiteral("odebrać uprawnień administratora użytkownikowi %1");
    else if (typed != storedLogin)
        what = QStringLiteral("zmienić kodu użytkownika %1");
    if (what.isEmpty())
        return;
    AppMessages().error(kLastAdministrator.arg(what.arg(storedLogin)));
    Abort();
}

void TdmfAppUsers::checkBeforeDelete(Query& r) {
    QString storedLogin;
    if (isLastAdministrator(int(r.fieldByName(QStringLiteral("AU_ID")).asInteger()), &storedLogin)) {
        AppMessages().error(kLastAdministrator.arg(QStringLiteral("usunąć użytkownika %1").arg(storedLogin)));
        Abort();
    }
}
