#include "app/TdmfDbUpGrade.h"

#include "app/TdmfDB.h"

#include "platform/Messages.h"
#include "platform/data/ScriptRunner.h"
#include "platform/data/SqlScript.h"

#include <QCryptographicHash>
#include <QSqlQuery>

namespace {

const char* const kProgressTable = "db_ver_krok";

QString Digest(const QString& script) {
    return QString::fromLatin1(QCryptographicHash::hash(script.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

TdmfDbUpGrade::TdmfDbUpGrade(Connection& connection, Messages& messages, const UpgradeScripts& scripts)
    : connection_(connection), messages_(messages) {
    for (int from = 1; from <= 6; ++from) {
        UpgradeStep step;
        step.component = QStringLiteral("sqlprcsrV%1_V%2").arg(from).arg(from + 1);
        step.from = from;
        step.script = scripts.texts.value(from - 1);
        step.errorPrefix =
            QStringLiteral("Błąd aktualizacji bazy danych (%1 -> %2): ").arg(from).arg(from + 1);
        steps_ << step;
    }
}

bool TdmfDbUpGrade::PreCheck() {
    QSqlQuery q = connection_.run(QStringLiteral("SELECT COUNT(*) AS licznik\n"
                                                 "FROM lata\n"
                                                 "WHERE rok_nazwa = 2011 AND rok_id = 1002"));
    return q.next() && q.value(0).toInt() > 0;
}

bool TdmfDbUpGrade::Run(int currentVersion, int target) {
    // A version below 1 has no step.
    if (currentVersion < 1 || currentVersion >= target)
        return currentVersion >= 1 && currentVersion == target;
    for (int from = currentVersion; from < target && from <= 6; ++from)
        if (!RunStep(steps_[from - 1]))
            return false;
    return true;
}

bool TdmfDbUpGrade::RunStep(const UpgradeStep& step) {
    try {
        if (step.from == 6 && PreCheck()) {
            messages_.error(step.errorPrefix +
                            QStringLiteral("W tabeli lata istnieje rok 2011 o id równym 1002."));
            return false;
        }
        const QStringList statements = SplitSqlScript(step.script);
        const QString digest = Digest(step.script);
        EnsureProgressTable();
        const int done = StatementsDone(step.from, digest);

        ScriptRunner runner(connection_);
        runner.beforeStatement = [&](int index, const QString& statement) {
            if (beforeStatement)
                beforeStatement(step.from, index, statement);
        };
        runner.withinStatement = [&](int index) {
            if (index + 1 == statements.size())
                connection_.run(QStringLiteral("DELETE FROM db_ver_krok WHERE dvk_wersja = ?"), {step.from});
            else
                connection_.run(
                    QStringLiteral("UPDATE OR INSERT INTO db_ver_krok (dvk_wersja, dvk_polecenia, "
                                   "dvk_skrot) VALUES (?, ?, ?) MATCHING (dvk_wersja)"),
                    {step.from, index + 1, digest});
        };
        runner.run(statements, done);

        const int reached = ReadSchemaVersion(connection_);
        if (reached != step.from + 1) {
            messages_.error(
                step.errorPrefix +
                QStringLiteral("Skrypt aktualizacji nie ustawił wersji bazy danych %1 (zapisana wersja: %2).")
                    .arg(step.from + 1)
                    .arg(reached));
            return false;
        }
    } catch (const DataError& e) {
        messages_.error(step.errorPrefix + e.message());
        return false;
    }
    if (afterStep)
        afterStep(step);
    return true;
}

void TdmfDbUpGrade::EnsureProgressTable() {
    const QVariant count = connection_.selectValue(
        QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '%1'")
            .arg(QString::fromLatin1(kProgressTable).toUpper()));
    if (count.toInt() > 0)
        return;
    // How far an interrupted step got: the number of its statements already committed.
    connection_.execute(QStringLiteral("CREATE TABLE db_ver_krok (dvk_wersja INTEGER NOT NULL, "
                                       "dvk_polecenia INTEGER NOT NULL, dvk_skrot VARCHAR(40), "
                                       "CONSTRAINT PK_db_ver_krok PRIMARY KEY (dvk_wersja))"));
}

int TdmfDbUpGrade::StatementsDone(int from, const QString& digest) {
    QSqlQuery q = connection_.run(
        QStringLiteral("SELECT dvk_polecenia, dvk_skrot FROM db_ver_krok WHERE dvk_wersja = ?"), {from});
    if (!q.next())
        return 0;
    // A script that changed since the interrupted run starts again from its first statement.
    return q.value(1).toString() == digest ? q.value(0).toInt() : 0;
}
