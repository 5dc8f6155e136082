#pragma once

#include <QString>
#include <QStringList>

// Splits the text of an SQL script into its statements: ";" ends a statement unless "SET TERM"
// chose another terminator; "--" comments and blank lines are dropped; a terminator inside a quoted
// literal or identifier ('' and "" doubled inside) belongs to the text. Statements come without their
// terminator and without surrounding blanks; "SET TERM" itself is consumed.
QStringList SplitSqlScript(const QString& text);
