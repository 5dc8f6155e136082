#pragma once

#include <QList>
#include <QString>

class Query;

// One level of a total kept in a master row: the master table's total column holds the sum of the
// stored amounts of its detail rows.
struct RollUpLevel {
    QString table;  // the master table
    QString key;    // its key column
    QString total;  // its total column
    QString link;   // the detail column that holds the master's key
    QString amount; // the detail amount summed
    // The list that shows the master rows: its row is brought up to the new total (may be null).
    Query* list = nullptr;
    // The SQL of the total when it is not a plain sum: one value, the master's key as the one
    // parameter ":key" ("SELECT MAX(a) + SUM(b) FROM … WHERE … = :key").
    QString totalSql;
};

// Keeps totals one or more levels up from a detail list: after a row of `detail` (over
// `detailTable`) is inserted, changed or deleted, the first level's total is read again from the
// database as the sum of the detail rows stored for its master (an empty sum is 0) and saved; then
// the next level's from the first level's rows, and so on. All of it happens in one transaction with
// the detail's change, so a failure leaves neither half. The lists named by the levels show the new
// totals once the transaction is committed.
void AttachRollUp(Query& detail, const QString& detailTable, const QList<RollUpLevel>& levels);
