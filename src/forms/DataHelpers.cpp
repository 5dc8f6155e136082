#include "forms/DataHelpers.h"

#include "platform/Cp1250.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"

namespace {

// The statements are written as the engine's tools show them; the trailing terminator is not part
// of what the engine takes.
QString WithoutTerminator(QString sql) {
    sql = sql.trimmed();
    if (sql.endsWith(QLatin1Char(';')))
        sql.chop(1);
    return sql;
}

} // namespace

int NewKey(Connection& connection, const QString& generator) {
    return connection.nextKey(generator);
}

int NewKey(const QString& generator) {
    return NewKey(MainConnection(), generator);
}

int NextLp(Connection& connection, const QString& column, const QString& table, int step) {
    const QString sql = QStringLiteral("SELECT MAX( ") + column + QStringLiteral(") max_lp\n") +
                        QStringLiteral("FROM ") + table;
    return connection.selectValue(WithoutTerminator(sql)).toInt() + step;
}

int NextLp(const QString& column, const QString& table, int step) {
    return NextLp(MainConnection(), column, table, step);
}

int FirstActiveId(Connection& connection, const QString& idColumn, const QString& lpColumn,
                  const QString& activeColumn, const QString& table) {
    const QString sql = QStringLiteral("SELECT FIRST 1 ") + idColumn + QStringLiteral("\nFROM ") + table +
                        QStringLiteral("\nWHERE ") + activeColumn + QStringLiteral(" = 1\nORDER BY ") +
                        lpColumn + QStringLiteral(" ASC");
    return connection.selectValue(WithoutTerminator(sql)).toInt();
}

int FirstActiveId(const QString& idColumn, const QString& lpColumn, const QString& activeColumn,
                  const QString& table) {
    return FirstActiveId(MainConnection(), idColumn, lpColumn, activeColumn, table);
}

void ConfirmDelete(DataSource& source) {
    if (AppMessages().question(QStringLiteral("Usunąć bieżący zapis?")) && source.dataSet())
        source.dataSet()->deleteRecord();
}

DataAction ReportDeleteError(const QString& genitiveName) {
    AppMessages().error(QStringLiteral("Nie można usunąć ") + genitiveName +
                            QStringLiteral(" ponieważ jest w użyciu"),
                        QStringLiteral("Błąd usuwania zapisu"));
    return DataAction::Abort;
}

DataAction ReportPostError(const QString& nominativeName, const DataError& error) {
    if (error.sqlCode() != SqlCode::DuplicateKey)
        return DataAction::Fail;
    AppMessages().error(nominativeName + QStringLiteral(" o takim kluczu już istnieje."),
                        QStringLiteral("Błąd zapisu do bazy danych"));
    return DataAction::Abort;
}

DataAction ReportUnstorableText(const Query& query, const DataError& error) {
    if (error.sqlCode() != SqlCode::StringTruncation)
        return DataAction::Fail;
    for (const auto& field : query.fields()) {
        if (field->type() != FieldType::String || field->isCalculated() || field->isNull())
            continue;
        char32_t unmapped = 0;
        ToCp1250(field->asString(), &unmapped);
        if (unmapped == 0)
            continue;
        const QString c = QString::fromUcs4(&unmapped, 1);
        // The engine's own words go under the details, as in the standard error display.
        static const QString kDetails = QStringLiteral("Szczegóły błędu:\n");
        QString engineText = error.message();
        if (const qsizetype at = engineText.indexOf(kDetails); at >= 0)
            engineText = engineText.mid(at + kDetails.size());
        AppMessages().error(
            QStringLiteral("Pole „%1” zawiera znak „%2”, którego baza danych nie może przechować. "
                           "Dozwolone są znaki strony kodowej Windows-1250, w tym wszystkie "
                           "polskie litery.\n\n")
                    .arg(field->label(), c) +
                kDetails + engineText,
            QStringLiteral("Błąd zapisu do bazy danych"));
        return DataAction::Abort;
    }
    return DataAction::Fail;
}

void WireRecordErrors(Query& query, const QString& genitiveName, const QString& nominativeName) {
    query.onDeleteError += [genitiveName](Query&, const DataError&, DataAction& action) {
        action = ReportDeleteError(genitiveName);
    };
    query.onPostError += [nominativeName](Query& q, const DataError& error, DataAction& action) {
        action = ReportUnstorableText(q, error);
        if (action != DataAction::Abort)
            action = ReportPostError(nominativeName, error);
    };
}

void RefreshKeepKey(Query& dataSet, const QString& keyField) {
    const Field& key = dataSet.fieldByName(keyField);
    if (key.isNull()) {
        dataSet.refresh();
        return;
    }
    const qint64 id = key.asInteger();
    dataSet.refresh();
    dataSet.locate(keyField, id);
}

void RefreshKeepKey(DataSource& source, const QString& keyField) {
    if (source.dataSet())
        RefreshKeepKey(*source.dataSet(), keyField);
}

void SetActiveFilter(Query& query, int mode) {
    int first = 0, second = 0;
    switch (mode) {
    case FilterActive:
        first = second = 1;
        break;
    case FilterInactive:
        first = second = 0;
        break;
    case FilterAll:
        first = 0;
        second = 1;
        break;
    default:
        return;
    }
    query.setParam(QStringLiteral("f_aktualny_1"), first);
    query.setParam(QStringLiteral("f_aktualny_2"), second);
}

void SetActiveFilter(DataSource& source, int mode) {
    if (source.dataSet())
        SetActiveFilter(*source.dataSet(), mode);
}

void AttachActiveOnly(DataSource& source, Query& query, const QString& sortFields) {
    source.setDataSet(&query);
    SetActiveFilter(query, FilterActive);
    query.setSortedFields(sortFields);
    OpenIfClosed(&query);
}

void OpenIfClosed(Query* dataSet) {
    if (dataSet && !dataSet->isActive())
        dataSet->open();
}

void OpenIfClosed(DataSource& source) {
    OpenIfClosed(source.dataSet());
}

void CloseIfOpen(Query* dataSet) {
    if (dataSet && dataSet->isActive())
        dataSet->close();
}

void CloseIfOpen(DataSource& source) {
    CloseIfOpen(source.dataSet());
}

void EnsureEdit(Query* dataSet) {
    if (!dataSet)
        return;
    OpenIfClosed(dataSet);
    if (!dataSet->isEditing())
        dataSet->edit();
}

void EnsureEdit(DataSource& source) {
    EnsureEdit(source.dataSet());
}

void PostIfEditing(DataSource& source) {
    if (source.dataSet() && source.dataSet()->isEditing())
        source.dataSet()->post();
}

void CancelIfEditing(DataSource& source) {
    if (source.dataSet() && source.dataSet()->isEditing())
        source.dataSet()->cancel();
}

void Refresh(DataSource& source) {
    if (source.dataSet())
        source.dataSet()->refresh();
}

QString FlagText(bool flag) {
    return flag ? QStringLiteral("+") : QStringLiteral("-");
}

bool IsBlank(const QString& text) {
    return text.trimmed().isEmpty();
}
