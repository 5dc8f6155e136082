#include "platform/data/SqlParams.h"

#include "platform/data/DataError.h"
#include "platform/data/SqlLexer.h"

#include <QRegularExpression>

namespace {

bool IsNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool IsNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
} // namespace

PositionalSql ToPositional(const QString& sql) {
    PositionalSql out;
    ScanSql(
        sql,
        [&](qsizetype i) -> qsizetype {
            const QChar c = sql.at(i);
            if (c == QLatin1Char(':') && i + 1 < sql.size() && IsNameStart(sql.at(i + 1))) {
                qsizetype j = i + 1;
                while (j < sql.size() && IsNamePart(sql.at(j)))
                    ++j;
                out.names << sql.mid(i + 1, j - i - 1);
                out.sql += QLatin1Char('?');
                return j;
            }
            out.sql += c;
            return i + 1;
        },
        [&](const QString& text) { out.sql += text; }, [&](const QString& text) { out.sql += text; });
    return out;
}

QString InlineNulls(const QString& positionalSql, QVariantList& values) {
    QString out;
    QVariantList bound;
    int next = 0;
    ScanSql(
        positionalSql,
        [&](qsizetype i) -> qsizetype {
            const QChar c = positionalSql.at(i);
            if (c == QLatin1Char('?') && next < values.size()) {
                const QVariant& v = values.at(next++);
                if (v.isNull()) {
                    out += QStringLiteral("NULL");
                } else {
                    out += c;
                    bound << v;
                }
            } else {
                out += c;
            }
            return i + 1;
        },
        [&](const QString& text) { out += text; }, [&](const QString& text) { out += text; });
    values = bound;
    return out;
}

void CheckIdentifier(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z][A-Za-z0-9_$]{0,62}$"));
    if (!plain.match(name).hasMatch())
        throw DataError(QStringLiteral("„%1” nie jest poprawną nazwą obiektu bazy danych.").arg(name));
}
