#pragma once

#include <QString>

#include <algorithm>

// Walks SQL text: quoted literals and identifiers ('' and "" doubled inside) go whole to `quoted`,
// "--" line comments (without their line end) and "/* */" comments whole to `comment`, and every other
// character to `plain`, which gets its position and returns the position to go on from.
template <typename Plain, typename Quoted, typename Comment>
void ScanSql(const QString& sql, Plain plain, Quoted quoted, Comment comment) {
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
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
            quoted(sql.mid(i, j - i));
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            qsizetype j = sql.indexOf(QLatin1Char('\n'), i);
            j = j < 0 ? n : j;
            comment(sql.mid(i, j - i));
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            qsizetype j = sql.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            comment(sql.mid(i, j - i));
            i = j;
        } else {
            i = plain(i);
        }
    }
}
