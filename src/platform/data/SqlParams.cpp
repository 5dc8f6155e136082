#include "platform/data/SqlParams.h"

#include <algorithm>

namespace {

// Walks the text, handing quoted literals and identifiers and comments to `copy` unchanged and
// every other character to `plain`.
template <typename Plain, typename Copy> void Scan(const QString& sql, Plain plain, Copy copy) {
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        qsizetype j = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, n);
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            j = sql.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            j = sql.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
        }
        if (j > i) {
            copy(sql.mid(i, j - i));
            i = j;
        } else {
            i = plain(i);
        }
    }
}

bool IsNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool IsNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
} // namespace

PositionalSql ToPositional(const QString& sql) {
    PositionalSql out;
    Scan(
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
        [&](const QString& text) { out.sql += text; });
    return out;
}

QString InlineNulls(const QString& positionalSql, QVariantList& values) {
    QString out;
    QVariantList bound;
    int next = 0;
    Scan(
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
        [&](const QString& text) { out += text; });
    values = bound;
    return out;
}
