#pragma once

#include "platform/data/DataError.h"
#include "platform/data/Field.h"
#include "platform/data/HandlerList.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

class Connection;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// Answer of a post-error or delete-error handler: "fail" lets the error go on, "abort" ends the
// operation silently.
enum class DataAction { Fail, Abort };

enum LocateOption { CaseInsensitive = 0x1, PartialKey = 0x2 };
using LocateOptions = int;

class Query;

// A row seen by a filter predicate.
class RecordView {
public:
    RecordView(const Query& query, int row) : query_(query), row_(row) {}
    QVariant value(const QString& fieldName) const;

private:
    const Query& query_;
    int row_;
};

// A data set over one SQL query: all rows in memory with a current row, named parameters, typed
// fields, calculated fields, editing with per-query update statements, master-detail links, client-side
// sort and filter, and the events that the data modules hang their behaviour on.
class Query : public QObject {
    Q_OBJECT
public:
    explicit Query(Connection& connection, QObject* parent = nullptr);
    ~Query() override;

    Connection& connection() const { return connection_; }

    // --- SQL and parameters
    void setSql(const QString& sql);
    void setSql(const QStringList& lines) { setSql(lines.join(QLatin1Char('\n'))); }
    const QString& sql() const { return sql_; }
    QStringList paramNames() const;
    bool hasParam(const QString& name) const;
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;

    // Update statements: field values as ":<field>", the values as read as ":OLD_<field>".
    void setInsertSql(const QString& sql) { insertSql_ = sql; }
    void setModifySql(const QString& sql) { modifySql_ = sql; }
    void setDeleteSql(const QString& sql) { deleteSql_ = sql; }

    // Master-detail: parameters named like the master's fields (or mapped explicitly, parameter →
    // master field) take the values of the master's current row; the detail re-reads when they change.
    void setMaster(Query* master, const QHash<QString, QString>& paramToField = {});
    Query* master() const { return master_; }

    // --- fields
    // Declares a field before the data set is opened, or returns the existing one.
    Field& field(const QString& name);
    Field& addCalculatedField(const QString& name, FieldType type, int size = 0);
    Field* findField(const QString& name) const;
    Field& fieldByName(const QString& name) const; // throws DataError when absent
    const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }

    // --- lifecycle
    void open();
    void close();
    bool isActive() const { return state_ != DataSetState::Inactive; }
    void refresh();
    // Runs the SQL as a statement without a result (parameters bound as for open).
    void execSql();
    DataSetState state() const { return state_; }
    bool isEditing() const { return state_ == DataSetState::Edit || state_ == DataSetState::Insert; }

    // --- navigation (over the visible rows: after filter and sort)
    int recordCount() const { return int(view_.size()); }
    bool isEmpty() const { return view_.isEmpty(); }
    int recNo() const { return cur_; } // 0-based, -1 when empty
    void setRecNo(int row);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool locate(const QString& fieldNames, const QVariantList& values, LocateOptions options = 0);
    bool locate(const QString& fieldName, const QVariant& value, LocateOptions options = 0) {
        return locate(fieldName, QVariantList{value}, options);
    }
    QVariant valueAt(int row, int fieldIndex) const;
    // The field's text in the given row (for grids), its handlers seeing that row's values.
    QString textAt(int row, const Field& field) const;

    // --- editing
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Posts a pending edit, as any move away from the row does.
    void checkBrowseMode();
    // A value of a buffered row brought up to what the database now holds (the program changed it
    // there, as a total kept by a roll-up): no edit, no field-change handlers. The row is found by
    // its key; false when it is not among the rows read.
    bool setStoredValue(const QString& keyField, const QVariant& key, const QString& fieldName,
                        const QVariant& value);

    // --- client-side sort and filter
    // "a ASC; b DESC" (also with commas); empty for the order of the query.
    void setSortedFields(const QString& fields);
    const QString& sortedFields() const { return sortOrder_; }
    void setFilter(std::function<bool(const RecordView&)> predicate);
    void setFiltered(bool filtered);
    bool isFiltered() const { return filtered_; }

    // --- controls
    void disableControls() { ++disabled_; }
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    // --- events
    // Each event holds a list of handlers, run in the order they were added.
    using Handler = std::function<void(Query&)>;
    using Event = HandlerList<Query&>;
    using ErrorEvent = HandlerList<Query&, const DataError&, DataAction&>;
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeInsert, afterInsert, beforeEdit, afterEdit;
    Event beforePost, afterPost, beforeCancel, afterCancel;
    Event beforeDelete, afterDelete, beforeScroll, afterScroll;
    Event onCalcFields;
    ErrorEvent onPostError, onDeleteError;
    // After the row's insert, update or delete statement, in one transaction with it: what the
    // handlers write is kept only if everything succeeds (an error rolls the row's change back too).
    // The row is still current, with its values as written (as stored, for a delete).
    Event afterWrite;

signals:
    // Rows were read, added, removed or reordered, or the data set opened or closed.
    void dataSetChanged();
    // A value of the current row changed.
    void recordChanged();
    // One row is about to be added or removed, or was (positions among the visible rows); each is
    // followed by dataSetChanged. Not emitted while controls are disabled.
    void rowAboutToBeInserted(int position);
    void rowInserted(int position);
    void rowAboutToBeRemoved(int position);
    void rowRemoved(int position);
    // The values of a row other than the current one changed.
    void rowChanged(int position);
    // The current row moved.
    void currentChanged();
    void stateChanged();

private:
    friend class Field;
    friend class RecordView;
    enum class Notice { DataSet, Record, Current, State };

    QVariant currentValue(const Field& field) const;
    void setFieldValue(Field& field, const QVariant& value);
    void checkActive() const;
    QVariantList bindValues(const QStringList& names, bool forUpdate) const;
    QVariant masterValue(const QString& paramName, bool* found) const;
    // The master's values of the linked parameters, in parameter order.
    QVariantList linkedMasterValues() const;
    void readRows();
    void calculateRow(int row);
    void rebuildView(int keepRow);
    void moveTo(int position);
    void startNewRow(bool atEnd);
    void removeBufferRow(int row);
    void checkRequiredFields() const;
    void runUpdate(const QString& sql);
    // Runs the statement and the after-write handlers in one transaction.
    void write(const QString& sql);
    void notify(Notice notice);
    void onMasterChanged(bool force);
    // Reads the rows again, on the same row number or on the first row.
    void reread(bool keepPosition);
    int bufferRow() const { return cur_ >= 0 && cur_ < view_.size() ? view_.at(cur_) : -1; }
    int compareRows(int a, int b) const;

    Connection& connection_;
    QString sql_;
    QHash<QString, QVariant> params_; // keys lower case
    QString insertSql_, modifySql_, deleteSql_;

    Query* master_ = nullptr;
    QHash<QString, QString> masterMap_; // lower-case parameter → master field
    QVariantList masterValues_;         // as used by the last read
    QMetaObject::Connection masterConnections_[4];

    std::vector<std::unique_ptr<Field>> fields_;
    int dataColumns_ = 0;

    QVector<QVector<QVariant>> rows_;
    QVector<int> view_;
    int cur_ = -1;
    mutable int peekRow_ = -1; // buffer row read in place of the current one while a text is made
    bool eof_ = true;
    bool bof_ = true;
    QVector<QVariant> oldValues_;
    DataSetState state_ = DataSetState::Inactive;
    bool calculating_ = false;

    QString sortOrder_;
    QVector<QPair<int, bool>> sortKeys_; // field index, descending
    std::function<bool(const RecordView&)> filter_;
    bool filtered_ = false;

    int disabled_ = 0;
    bool pendingDataSet_ = false;
};
