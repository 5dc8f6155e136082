#pragma once

#include "platform/IdName.h"
#include "platform/data/DataSource.h"
#include "platform/data/Query.h"

#include <QString>

class Connection;

// --- database routines (on the main connection unless told otherwise)

// The generator's next value, one step at a time.
int NewKey(const QString& generator);
int NewKey(Connection& connection, const QString& generator);
// The highest ordinal of the table plus the step; the step itself for an empty table.
int NextLp(const QString& column, const QString& table, int step);
int NextLp(Connection& connection, const QString& column, const QString& table, int step);
// The key of the first active row by ordinal; 0 when the table has no active row.
int FirstActiveId(const QString& idColumn, const QString& lpColumn, const QString& activeColumn,
                  const QString& table);
int FirstActiveId(Connection& connection, const QString& idColumn, const QString& lpColumn,
                  const QString& activeColumn, const QString& table);

// --- data set routines

// Asks "Usunąć bieżący zapis?" and deletes the current row on Yes.
void ConfirmDelete(DataSource& source);
// "Nie można usunąć <genitive> ponieważ jest w użyciu"; answers abort.
DataAction ReportDeleteError(const QString& genitiveName);
// A broken unique or primary key: "<nominative> o takim kluczu już istnieje.", answers abort;
// any other error answers fail so that it reaches the standard error display.
DataAction ReportPostError(const QString& nominativeName, const DataError& error);
// A text the database cannot hold (a character outside Windows-1250): names the field and the
// character, the engine's text under "Szczegóły błędu:", and answers abort; otherwise answers fail.
DataAction ReportUnstorableText(const Query& query, const DataError& error);
// Wires a query's delete-error and post-error events to the two reports above.
void WireRecordErrors(Query& query, const QString& genitiveName, const QString& nominativeName);

// Refreshes and comes back to the row with the same key (only refreshes when the key is null).
void RefreshKeepKey(Query& dataSet, const QString& keyField);
void RefreshKeepKey(DataSource& source, const QString& keyField);

// Active-row filter modes.
enum ActiveFilterMode { FilterNone = 0, FilterActive = 1, FilterInactive = 2, FilterAll = 3 };
void SetActiveFilter(DataSource& source, int mode);
void SetActiveFilter(Query& query, int mode);
// Makes the query the source's data set with active rows only, sorted, and opens it.
void AttachActiveOnly(DataSource& source, Query& query, const QString& sortFields);

void OpenIfClosed(Query* dataSet);
void OpenIfClosed(DataSource& source);
void CloseIfOpen(Query* dataSet);
void CloseIfOpen(DataSource& source);
void EnsureEdit(Query* dataSet);
void EnsureEdit(DataSource& source);
void PostIfEditing(DataSource& source);
void CancelIfEditing(DataSource& source);
void Refresh(DataSource& source);

// --- small routines

// "+" for true or 1, "-" for false or 0.
QString FlagText(bool flag);
inline QString FlagText(int flag) {
    return FlagText(flag != 0);
}
// True when the text is empty after removing surrounding blanks.
bool IsBlank(const QString& text);
