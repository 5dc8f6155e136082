#include "platform/data/SqlScript.h"

#include "platform/data/SqlLexer.h"

#include <QRegularExpression>

namespace {

// "SET TERM <new>" — the statement that changes the terminator.
bool IsSetTerm(const QString& statement, QString* newTerminator) {
    static const QRegularExpression re(QStringLiteral("^SET\\s+TERM\\s+(\\S+)\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(statement);
    if (!m.hasMatch())
        return false;
    *newTerminator = m.captured(1);
    return true;
}

} // namespace

QStringList SplitSqlScript(const QString& text) {
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;

    auto finish = [&] {
        const QString statement = current.trimmed();
        current.clear();
        if (statement.isEmpty())
            return;
        QString newTerminator;
        if (IsSetTerm(statement, &newTerminator))
            terminator = newTerminator;
        else
            statements << statement;
    };

    ScanSql(
        text,
        [&](qsizetype i) -> qsizetype {
            const qsizetype length = terminator.size();
            if (text.mid(i, length).compare(terminator, Qt::CaseInsensitive) == 0) {
                finish(); // may change the terminator
                return i + length;
            }
            current += text.at(i);
            return i + 1;
        },
        [&](const QString& literal) { current += literal; },
        // Comments are dropped; one between two words still separates them.
        [&](const QString& comment) {
            if (comment.startsWith(QLatin1String("/*")))
                current += QLatin1Char(' ');
        });
    finish();
    return statements;
}
