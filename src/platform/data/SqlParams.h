#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Turns named parameters (":name") into positional ones ("?") and lists the names in order of
// appearance. Quoted literals, quoted identifiers and comments are left alone.
struct PositionalSql {
    QString sql;
    QStringList names; // as written, one entry per occurrence
};

PositionalSql ToPositional(const QString& sql);

// The client driver would bind a null value into a NOT NULL column as zero or empty text, hiding the
// engine's refusal: null values are written into the statement as NULL instead of being bound.
// Placeholders ("?") outside literals and comments are matched with the values in order; the values
// left are those still to bind.
QString InlineNulls(const QString& positionalSql, QVariantList& values);

// Names of tables, columns and generators are put into statements as they are: anything but a plain
// identifier (a letter, then letters, digits, "_" or "$") is refused with a DataError.
void CheckIdentifier(const QString& name);
