#include "platform/data/SqlScript.h"

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
    const qsizetype n = text.size();
    qsizetype i = 0;

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

    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted literal or identifier; a doubled quote stays inside.
            qsizetype j = i + 1;
            while (j < n) {
                if (text.at(j) == c) {
                    if (j + 1 < n && text.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            current += text.mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == QLatin1Char('-') && i + 1 < n && text.at(i + 1) == QLatin1Char('-')) {
            while (i < n && text.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = text.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            current += QLatin1Char(' ');
        } else if (text.mid(i, terminator.size()).compare(terminator, Qt::CaseInsensitive) == 0) {
            i += terminator.size();
            finish();
        } else {
            current += c;
            ++i;
        }
    }
    finish();
    return statements;
}
