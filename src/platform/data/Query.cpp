#include "platform/data/Query.h"

#include "platform/data/Connection.h"
#include "platform/data/SqlParams.h"

#include <QCollator>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <ibase.h>

#include <algorithm>

namespace {

FieldType TypeOf(const QMetaType& type) {
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return FieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldType::Float;
    case QMetaType::QDate:
        return FieldType::Date;
    case QMetaType::QTime:
        return FieldType::Time;
    case QMetaType::QDateTime:
        return FieldType::DateTime;
    case QMetaType::QByteArray:
        return FieldType::Blob;
    default:
        return FieldType::String;
    }
}

const QCollator& PolishCollator() {
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

bool IsNumeric(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// Order of two values of one column: nulls first, numbers by value, texts the Polish way.
int CompareValues(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (IsNumeric(a) && IsNumeric(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate)
        return a.toDate() < b.toDate() ? -1 : (a.toDate() > b.toDate() ? 1 : 0);
    if (a.typeId() == QMetaType::QDateTime && b.typeId() == QMetaType::QDateTime)
        return a.toDateTime() < b.toDateTime() ? -1 : (a.toDateTime() > b.toDateTime() ? 1 : 0);
    return PolishCollator().compare(a.toString(), b.toString());
}

bool ValuesMatch(const QVariant& stored, const QVariant& wanted, LocateOptions options) {
    if (stored.isNull() || wanted.isNull())
        return stored.isNull() && wanted.isNull();
    if (IsNumeric(stored) && IsNumeric(wanted))
        return stored.toDouble() == wanted.toDouble();
    const QString s = stored.toString();
    const QString w = wanted.toString();
    const Qt::CaseSensitivity cs = (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options & PartialKey)
        return s.startsWith(w, cs);
    return s.compare(w, cs) == 0;
}

QString FieldListError(const QString& name) {
    return QStringLiteral("Pole „%1” nie istnieje w zbiorze danych.").arg(name);
}

} // namespace

QVariant RecordView::value(const QString& fieldName) const {
    return query_.rows_.at(row_).at(query_.fieldByName(fieldName).index());
}

Query::Query(Connection& connection, QObject* parent) : QObject(parent), connection_(connection) {}

Query::~Query() {
    setMaster(nullptr);
}

// --- SQL and parameters

void Query::setSql(const QString& sql) {
    if (isActive())
        close();
    sql_ = sql;
}

QStringList Query::paramNames() const {
    QStringList names;
    for (const QString& n : ToPositional(sql_).names)
        if (!names.contains(n, Qt::CaseInsensitive))
            names << n;
    return names;
}

bool Query::hasParam(const QString& name) const {
    return paramNames().contains(name, Qt::CaseInsensitive);
}

void Query::setParam(const QString& name, const QVariant& value) {
    if (!hasParam(name))
        throw DataError(QStringLiteral("Parametr „%1” nie występuje w zapytaniu.").arg(name));
    params_.insert(name.toLower(), value);
}

QVariant Query::param(const QString& name) const {
    return params_.value(name.toLower());
}

void Query::setMaster(Query* master, const QHash<QString, QString>& paramToField) {
    for (auto& c : masterConnections_)
        QObject::disconnect(c);
    master_ = master;
    masterMap_.clear();
    for (auto it = paramToField.begin(); it != paramToField.end(); ++it)
        masterMap_.insert(it.key().toLower(), it.value());
    masterValues_.clear();
    if (!master_)
        return;
    masterConnections_[0] = connect(master_, &Query::dataSetChanged, this, [this] { onMasterChanged(true); });
    masterConnections_[1] =
        connect(master_, &Query::currentChanged, this, [this] { onMasterChanged(false); });
    masterConnections_[2] = connect(master_, &Query::recordChanged, this, [this] { onMasterChanged(false); });
    masterConnections_[3] = connect(master_, &Query::stateChanged, this, [this] { onMasterChanged(false); });
}

QVariant Query::masterValue(const QString& paramName, bool* found) const {
    *found = false;
    if (!master_)
        return {};
    const QString fieldName = masterMap_.value(paramName.toLower(), paramName);
    const Field* f = master_->findField(fieldName);
    if (!f && masterMap_.isEmpty())
        return {};
    *found = f != nullptr;
    if (!f || !master_->isActive() || master_->bufferRow() < 0)
        return {};
    return f->value();
}

QVariantList Query::linkedMasterValues() const {
    QVariantList values;
    bool found = false;
    for (const QString& name : paramNames()) {
        const QVariant v = masterValue(name, &found);
        if (found)
            values << v;
    }
    return values;
}

void Query::onMasterChanged(bool force) {
    if (!isActive())
        return;
    if (!force && linkedMasterValues() == masterValues_)
        return;
    // The rows of another master: read afresh from the first one, as on opening.
    reread(false);
}

// --- fields

Field& Query::field(const QString& name) {
    if (Field* f = findField(name))
        return *f;
    fields_.push_back(std::make_unique<Field>(this, name, false));
    return *fields_.back();
}

Field& Query::addCalculatedField(const QString& name, FieldType type, int size) {
    if (findField(name))
        throw DataError(QStringLiteral("Pole „%1” już istnieje w zbiorze danych.").arg(name));
    fields_.push_back(std::make_unique<Field>(this, name, true));
    fields_.back()->setType(type).setSize(size);
    return *fields_.back();
}

Field* Query::findField(const QString& name) const {
    for (const auto& f : fields_)
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field& Query::fieldByName(const QString& name) const {
    if (Field* f = findField(name))
        return *f;
    throw DataError(FieldListError(name));
}

QVariant Query::currentValue(const Field& field) const {
    const int row = peekRow_ >= 0 ? peekRow_ : bufferRow();
    if (row < 0 || field.index_ < 0)
        return {};
    return rows_.at(row).at(field.index_);
}

QString Query::textAt(int row, const Field& field) const {
    if (row < 0 || row >= view_.size())
        return {};
    // The field's handlers read the values of the row shown, as if it were current; nothing moves.
    const int saved = peekRow_;
    peekRow_ = view_.at(row);
    QString text;
    try {
        text = field.text();
    } catch (...) {
        peekRow_ = saved;
        throw;
    }
    peekRow_ = saved;
    return text;
}

QVariant Query::valueAt(int row, int fieldIndex) const {
    if (row < 0 || row >= view_.size())
        return {};
    return rows_.at(view_.at(row)).value(fieldIndex);
}

void Query::setFieldValue(Field& field, const QVariant& value) {
    const int row = bufferRow();
    if (!calculating_)
        checkActive();
    if (field.isCalculated()) {
        if (!calculating_ && !isEditing())
            throw DataError(QStringLiteral("Zbiór danych nie jest w trybie edycji."));
        if (row >= 0)
            rows_[row][field.index_] = field.coerce(value);
        return;
    }
    if (!isEditing() || row < 0)
        throw DataError(QStringLiteral("Zbiór danych nie jest w trybie edycji."));
    rows_[row][field.index_] = field.coerce(value);
    if (field.onChange)
        field.onChange(field);
    calculateRow(bufferRow());
    notify(Notice::Record);
}

// --- lifecycle

void Query::checkActive() const {
    if (!isActive())
        throw DataError(QStringLiteral("Zbiór danych jest zamknięty."));
}

QVariantList Query::bindValues(const QStringList& names, bool forUpdate) const {
    QVariantList values;
    const int row = bufferRow();
    for (const QString& name : names) {
        if (forUpdate) {
            const bool old = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
            const Field* f = findField(old ? name.mid(4) : name);
            if (f && f->index_ >= 0 && row >= 0) {
                if (old)
                    values << (oldValues_.isEmpty() ? rows_.at(row).at(f->index_) : oldValues_.at(f->index_));
                else
                    values << rows_.at(row).at(f->index_);
                continue;
            }
        }
        bool found = false;
        const QVariant fromMaster = masterValue(name, &found);
        values << (found ? fromMaster : params_.value(name.toLower()));
    }
    return values;
}

void Query::readRows() {
    const PositionalSql ps = ToPositional(sql_);
    QSqlQuery q = connection_.run(ps.sql, bindValues(ps.names, false));
    const QSqlRecord record = q.record();

    for (const auto& f : fields_)
        if (!f->isCalculated() && record.indexOf(f->name()) < 0)
            throw DataError(FieldListError(f->name()));

    // Data fields in the order of the result, then the calculated ones.
    std::vector<std::unique_ptr<Field>> ordered;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField sf = record.field(i);
        const QString name = sf.name().toLower();
        auto it = std::find_if(fields_.begin(), fields_.end(), [&](const auto& f) {
            return !f->isCalculated() && f->name().compare(name, Qt::CaseInsensitive) == 0;
        });
        std::unique_ptr<Field> f;
        if (it != fields_.end()) {
            f = std::move(*it);
            fields_.erase(it);
        } else {
            f = std::make_unique<Field>(this, name, false);
            // Text lengths come in bytes of the UTF-8 attachment: up to four per character.
            const int length = sf.length() > 0 ? int(sf.length()) : 0;
            f->setSize(TypeOf(sf.metaType()) == FieldType::String ? length / 4 : length);
        }
        if (f->type_ == FieldType::Unknown)
            f->type_ = TypeOf(sf.metaType());
        f->index_ = i;
        ordered.push_back(std::move(f));
    }
    dataColumns_ = record.count();
    int index = dataColumns_;
    for (auto& f : fields_) {
        f->index_ = index++;
        ordered.push_back(std::move(f));
    }
    fields_ = std::move(ordered);

    // Fixed-length text comes padded to the bytes of the UTF-8 attachment; its trailing blanks mean
    // nothing in the engine's comparisons either.
    QVector<bool> fixedText(dataColumns_);
    for (int i = 0; i < dataColumns_; ++i)
        fixedText[i] = (record.field(i).typeID() & ~1) == SQL_TEXT;

    rows_.clear();
    const int width = int(fields_.size());
    while (q.next()) {
        QVector<QVariant> values(width);
        for (int i = 0; i < dataColumns_; ++i) {
            values[i] = q.value(i);
            if (fixedText[i] && !values[i].isNull()) {
                QString text = values[i].toString();
                while (text.endsWith(QLatin1Char(' ')))
                    text.chop(1);
                values[i] = text;
            }
        }
        rows_.push_back(std::move(values));
    }
    q.finish();
    for (int r = 0; r < rows_.size(); ++r)
        calculateRow(r);
    masterValues_ = linkedMasterValues();
}

void Query::calculateRow(int row) {
    if (!onCalcFields || row < 0)
        return;
    // The handler reads and writes the fields of the current row: point the cursor at this row.
    const int savedCur = cur_;
    const auto pos = view_.indexOf(row);
    QVector<int> savedView;
    if (pos < 0) {
        savedView = view_;
        view_.append(row);
        cur_ = int(view_.size()) - 1;
    } else {
        cur_ = int(pos);
    }
    calculating_ = true;
    try {
        onCalcFields(*this);
    } catch (...) {
        calculating_ = false;
        if (pos < 0)
            view_ = savedView;
        cur_ = savedCur;
        throw;
    }
    calculating_ = false;
    if (pos < 0)
        view_ = savedView;
    cur_ = savedCur;
}

void Query::open() {
    if (isActive())
        return;
    if (beforeOpen)
        beforeOpen(*this);
    view_.clear();
    readRows();
    state_ = DataSetState::Browse;
    rebuildView(-1);
    cur_ = view_.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = view_.isEmpty();
    notify(Notice::State);
    notify(Notice::DataSet);
    if (afterOpen)
        afterOpen(*this);
    if (afterScroll)
        afterScroll(*this);
}

void Query::close() {
    if (!isActive())
        return;
    if (beforeClose)
        beforeClose(*this);
    rows_.clear();
    view_.clear();
    oldValues_.clear();
    cur_ = -1;
    eof_ = bof_ = true;
    state_ = DataSetState::Inactive;
    masterValues_.clear();
    notify(Notice::State);
    notify(Notice::DataSet);
    if (afterClose)
        afterClose(*this);
}

void Query::refresh() {
    reread(true);
}

void Query::reread(bool keepPosition) {
    checkActive();
    checkBrowseMode();
    const int position = keepPosition ? cur_ : 0;
    readRows();
    rebuildView(-1);
    cur_ = view_.isEmpty() ? -1 : std::clamp(position, 0, int(view_.size()) - 1);
    eof_ = bof_ = view_.isEmpty();
    notify(Notice::DataSet);
    if (afterScroll)
        afterScroll(*this);
}

void Query::execSql() {
    const PositionalSql ps = ToPositional(sql_);
    connection_.run(ps.sql, bindValues(ps.names, false));
}

// --- navigation

void Query::moveTo(int position) {
    checkActive();
    if (view_.isEmpty()) {
        eof_ = bof_ = true;
        return;
    }
    position = std::clamp(position, 0, int(view_.size()) - 1);
    if (position == cur_)
        return;
    checkBrowseMode();
    if (beforeScroll)
        beforeScroll(*this);
    cur_ = position;
    notify(Notice::Current);
    if (afterScroll)
        afterScroll(*this);
}

void Query::setRecNo(int row) {
    moveTo(row);
    eof_ = bof_ = false;
}

void Query::first() {
    moveTo(0);
    bof_ = true;
    eof_ = view_.isEmpty();
}

void Query::last() {
    moveTo(int(view_.size()) - 1);
    eof_ = true;
    bof_ = view_.isEmpty();
}

void Query::next() {
    checkActive();
    if (cur_ + 1 >= view_.size()) {
        checkBrowseMode();
        eof_ = true;
        return;
    }
    moveTo(cur_ + 1);
    bof_ = eof_ = false;
}

void Query::prior() {
    checkActive();
    if (cur_ <= 0) {
        checkBrowseMode();
        bof_ = true;
        return;
    }
    moveTo(cur_ - 1);
    bof_ = eof_ = false;
}

bool Query::locate(const QString& fieldNames, const QVariantList& values, LocateOptions options) {
    checkActive();
    checkBrowseMode();
    QVector<int> indexes;
    for (const QString& n : fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        indexes << fieldByName(n.trimmed()).index();
    if (indexes.size() != values.size())
        throw DataError(QStringLiteral("Liczba wartości nie odpowiada liczbie pól wyszukiwania."));
    for (int pos = 0; pos < view_.size(); ++pos) {
        const QVector<QVariant>& row = rows_.at(view_.at(pos));
        bool all = true;
        for (int k = 0; k < indexes.size() && all; ++k)
            all = ValuesMatch(row.at(indexes.at(k)), values.at(k), options);
        if (all) {
            moveTo(pos);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

// --- editing

void Query::startNewRow(bool atEnd) {
    checkActive();
    checkBrowseMode();
    if (beforeInsert)
        beforeInsert(*this);
    if (beforeScroll)
        beforeScroll(*this);
    const int position = (atEnd || cur_ < 0) ? int(view_.size()) : cur_;
    const bool ranged = disabled_ == 0;
    if (ranged)
        emit rowAboutToBeInserted(position);
    rows_.push_back(QVector<QVariant>(int(fields_.size())));
    const int row = int(rows_.size()) - 1;
    view_.insert(position, row);
    cur_ = position;
    eof_ = bof_ = false;
    oldValues_ = rows_.at(row);
    state_ = DataSetState::Insert;
    if (ranged)
        emit rowInserted(position);
    notify(Notice::DataSet);
    notify(Notice::State);
    if (afterInsert)
        afterInsert(*this);
    calculateRow(bufferRow());
    notify(Notice::Record);
    if (afterScroll)
        afterScroll(*this);
}

void Query::insert() {
    startNewRow(false);
}

void Query::append() {
    startNewRow(true);
}

void Query::edit() {
    checkActive();
    if (isEditing())
        return;
    if (view_.isEmpty()) {
        insert();
        return;
    }
    if (beforeEdit)
        beforeEdit(*this);
    oldValues_ = rows_.at(bufferRow());
    state_ = DataSetState::Edit;
    notify(Notice::State);
    if (afterEdit)
        afterEdit(*this);
}

void Query::checkRequiredFields() const {
    for (const auto& f : fields_) {
        if (!f->isRequired() || f->isCalculated())
            continue;
        const QVariant v = currentValue(*f);
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()))
            throw DataError(QStringLiteral("Pole „%1” musi mieć wartość.").arg(f->label()));
    }
}

void Query::runUpdate(const QString& sql) {
    if (sql.trimmed().isEmpty())
        throw DataError(QStringLiteral("Tego zbioru danych nie można zmieniać."));
    const PositionalSql ps = ToPositional(sql);
    connection_.run(ps.sql, bindValues(ps.names, true));
}

void Query::write(const QString& sql) {
    if (!afterWrite) {
        runUpdate(sql);
        return;
    }
    Connection::Transaction transaction(connection_);
    runUpdate(sql);
    afterWrite(*this);
    transaction.commit();
}

bool Query::setStoredValue(const QString& keyField, const QVariant& key, const QString& fieldName,
                           const QVariant& value) {
    const Field& keyF = fieldByName(keyField);
    Field& field = fieldByName(fieldName);
    for (int row = 0; row < rows_.size(); ++row) {
        if (!ValuesMatch(rows_.at(row).at(keyF.index_), key, 0))
            continue;
        const QVariant stored = field.coerce(value);
        rows_[row][field.index_] = stored;
        if (row == bufferRow() && !oldValues_.isEmpty())
            oldValues_[field.index_] = stored;
        calculateRow(row);
        if (row == bufferRow()) {
            notify(Notice::Record);
        } else if (const auto position = view_.indexOf(row); position >= 0 && disabled_ == 0) {
            emit rowChanged(int(position));
        }
        return true;
    }
    return false;
}

void Query::post() {
    checkActive();
    if (!isEditing())
        throw DataError(QStringLiteral("Zbiór danych nie jest w trybie edycji."));
    if (beforePost)
        beforePost(*this);
    try {
        checkRequiredFields();
        write(state_ == DataSetState::Insert ? insertSql_ : modifySql_);
    } catch (const DataError& e) {
        DataAction action = DataAction::Fail;
        if (onPostError)
            onPostError(*this, e, action);
        if (action == DataAction::Abort)
            Abort();
        throw;
    }
    state_ = DataSetState::Browse;
    oldValues_.clear();
    calculateRow(bufferRow());
    notify(Notice::State);
    notify(Notice::Record);
    if (afterPost)
        afterPost(*this);
}

void Query::removeBufferRow(int row) {
    const int position = int(view_.indexOf(row));
    const bool ranged = disabled_ == 0 && position >= 0;
    if (ranged)
        emit rowAboutToBeRemoved(position);
    rows_.removeAt(row);
    view_.removeAll(row);
    for (int& r : view_)
        if (r > row)
            --r;
    if (ranged)
        emit rowRemoved(position);
}

void Query::cancel() {
    if (!isEditing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    const bool wasInsert = state_ == DataSetState::Insert;
    const int row = bufferRow();
    if (wasInsert) {
        removeBufferRow(row);
        cur_ = view_.isEmpty() ? -1 : std::min(cur_, int(view_.size()) - 1);
    } else {
        rows_[row] = oldValues_;
        calculateRow(row);
    }
    oldValues_.clear();
    state_ = DataSetState::Browse;
    eof_ = bof_ = view_.isEmpty();
    notify(Notice::State);
    notify(wasInsert ? Notice::DataSet : Notice::Record);
    if (afterCancel)
        afterCancel(*this);
    if (wasInsert && afterScroll)
        afterScroll(*this);
}

void Query::deleteRecord() {
    checkActive();
    if (state_ == DataSetState::Insert) {
        cancel();
        return;
    }
    if (view_.isEmpty())
        throw DataError(QStringLiteral("Zbiór danych jest pusty."));
    if (state_ == DataSetState::Edit) {
        // The row is deleted as it is stored, not as it was being changed.
        rows_[bufferRow()] = oldValues_;
        calculateRow(bufferRow());
        oldValues_.clear();
        state_ = DataSetState::Browse;
        notify(Notice::State);
    }
    if (beforeDelete)
        beforeDelete(*this);
    if (beforeScroll)
        beforeScroll(*this);
    try {
        write(deleteSql_);
    } catch (const DataError& e) {
        DataAction action = DataAction::Fail;
        if (onDeleteError)
            onDeleteError(*this, e, action);
        if (action == DataAction::Abort)
            Abort();
        throw;
    }
    removeBufferRow(bufferRow());
    cur_ = view_.isEmpty() ? -1 : std::min(cur_, int(view_.size()) - 1);
    eof_ = bof_ = view_.isEmpty();
    notify(Notice::DataSet);
    if (afterDelete)
        afterDelete(*this);
    if (afterScroll)
        afterScroll(*this);
}

void Query::checkBrowseMode() {
    if (isEditing())
        post();
}

// --- sort and filter

int Query::compareRows(int a, int b) const {
    for (const auto& [index, descending] : sortKeys_) {
        const int c = CompareValues(rows_.at(a).at(index), rows_.at(b).at(index));
        if (c != 0)
            return descending ? -c : c;
    }
    return 0;
}

void Query::rebuildView(int keepRow) {
    sortKeys_.clear();
    for (QString part : sortOrder_.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '));
        if (words.isEmpty() || words.first().isEmpty())
            continue;
        const bool descending =
            words.size() > 1 && words.at(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        sortKeys_.append({fieldByName(words.first()).index(), descending});
    }
    view_.clear();
    for (int r = 0; r < rows_.size(); ++r)
        if (!filtered_ || !filter_ || filter_(RecordView(*this, r)))
            view_.append(r);
    if (!sortKeys_.isEmpty())
        std::stable_sort(view_.begin(), view_.end(), [this](int a, int b) { return compareRows(a, b) < 0; });
    if (keepRow >= 0) {
        const auto pos = view_.indexOf(keepRow);
        cur_ = pos >= 0 ? int(pos) : (view_.isEmpty() ? -1 : 0);
    }
}

void Query::setSortedFields(const QString& fields) {
    const QString previous = sortOrder_;
    sortOrder_ = fields;
    if (!isActive())
        return;
    try {
        rebuildView(bufferRow());
    } catch (const DataError&) {
        // An unknown field leaves the order as it was, so that later reads still work.
        sortOrder_ = previous;
        rebuildView(bufferRow());
        throw;
    }
    notify(Notice::DataSet);
}

void Query::setFilter(std::function<bool(const RecordView&)> predicate) {
    filter_ = std::move(predicate);
    if (isActive() && filtered_) {
        rebuildView(bufferRow());
        notify(Notice::DataSet);
    }
}

void Query::setFiltered(bool filtered) {
    if (filtered_ == filtered)
        return;
    filtered_ = filtered;
    if (isActive()) {
        checkBrowseMode();
        rebuildView(bufferRow());
        eof_ = bof_ = view_.isEmpty();
        notify(Notice::DataSet);
        if (afterScroll)
            afterScroll(*this);
    }
}

// --- controls

void Query::enableControls() {
    if (disabled_ > 0 && --disabled_ == 0 && pendingDataSet_) {
        pendingDataSet_ = false;
        emit dataSetChanged();
    }
}

void Query::notify(Notice notice) {
    if (disabled_ > 0) {
        pendingDataSet_ = true;
        return;
    }
    switch (notice) {
    case Notice::DataSet:
        emit dataSetChanged();
        break;
    case Notice::Record:
        emit recordChanged();
        break;
    case Notice::Current:
        emit currentChanged();
        break;
    case Notice::State:
        emit stateChanged();
        break;
    }
}
