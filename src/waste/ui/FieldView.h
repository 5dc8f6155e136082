#pragma once

#include <QString>

class DataSource;
class QLineEdit;

// Shows a field of the current row of a data source in a read-only edit, following every change of
// the row; nothing typed is ever written back (for values the data module lets other windows edit).
void ShowFieldReadOnly(QLineEdit* edit, DataSource& source, const QString& fieldName);
