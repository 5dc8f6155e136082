#pragma once

#include <QString>
#include <QStringList>

// Turns named parameters (":name") into positional ones ("?") and lists the names in order of
// appearance. Quoted literals, quoted identifiers and comments are left alone.
struct PositionalSql {
    QString sql;
    QStringList names; // as written, one entry per occurrence
};

PositionalSql ToPositional(const QString& sql);
