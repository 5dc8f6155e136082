#pragma once

#include <QString>
#include <QStringList>

class Query;

// How the rows of one table are written back from a query: the table, its key column, the columns
// of its own that the query writes (joined display columns are never written) and the generator of
// new keys. Every editable query of the program takes its statements from one of these.
struct TableDef {
    QString table;
    QString key;         // the key column; a row is changed and deleted by its value as read
    QStringList columns; // the written columns; the key is added first when not listed
    QString generator;   // empty: "g_" + table

    QStringList writtenColumns() const;
    QString generatorName() const;
    QString insertSql() const;
    QString modifySql() const;
    QString deleteSql() const;
};

// Gives the query the definition's insert, modify and delete statements (field values as
// ":<column>", the row found by ":OLD_<key>") and an after-insert handler that takes the new row's
// key from the generator (apply the definition before adding handlers that need the key). Every name
// is checked to be a plain identifier.
void ApplyTableDef(Query& query, const TableDef& def);
