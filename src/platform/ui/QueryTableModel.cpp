#include "platform/ui/QueryTableModel.h"

#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QFont>

namespace {

// A text colour that stays readable on the given background.
QColor TextOn(const QColor& background) {
    return background.lightness() > 128 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

QueryTableModel::QueryTableModel(DataSource& source, QObject* parent)
    : QAbstractTableModel(parent), link_(source) {
    connect(&link_, &DataSourceLink::dataSetChanged, this, &QueryTableModel::onDataSetChanged);
    connect(&link_, &DataSourceLink::recordChanged, this, &QueryTableModel::onRecordChanged);
    connect(&link_, &DataSourceLink::currentChanged, this, &QueryTableModel::onCurrentChanged);
    connect(&link_, &DataSourceLink::stateChanged, this, &QueryTableModel::onStateChanged);
    // One row added or removed moves only that row: the view keeps its scroll position and selection.
    connect(&link_, &DataSourceLink::rowAboutToBeInserted, this, [this](int position) {
        changingRows_ = true;
        beginInsertRows(QModelIndex(), position, position);
    });
    connect(&link_, &DataSourceLink::rowInserted, this, [this] {
        endInsertRows();
        changingRows_ = false;
        rowsMoved_ = true;
    });
    connect(&link_, &DataSourceLink::rowAboutToBeRemoved, this, [this](int position) {
        changingRows_ = true;
        beginRemoveRows(QModelIndex(), position, position);
    });
    connect(&link_, &DataSourceLink::rowRemoved, this, [this] {
        endRemoveRows();
        changingRows_ = false;
        rowsMoved_ = true;
    });
    connect(&link_, &DataSourceLink::rowChanged, this, [this](int position) {
        if (!columns_.isEmpty() && position < rowCount())
            emit dataChanged(index(position, 0), index(position, int(columns_.size()) - 1));
    });
}

int QueryTableModel::addColumn(const GridColumn& column) {
    const int index = int(columns_.size());
    beginInsertColumns(QModelIndex(), index, index);
    columns_.append(column);
    fieldsResolved_ = false;
    endInsertColumns();
    emit columnsChanged();
    return index;
}

void QueryTableModel::setColumnReadOnly(int column, bool readOnly) {
    columns_[column].readOnly = readOnly;
}

void QueryTableModel::setColumnCentered(int column, bool centered) {
    columns_[column].centered = centered;
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
}

void QueryTableModel::setColumnVisible(int column, bool visible) {
    columns_[column].visible = visible;
    emit columnsChanged();
}

void QueryTableModel::setColumnWidth(int column, int width) {
    columns_[column].width = width;
}

int QueryTableModel::columnOfField(const QString& fieldName) const {
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_.at(c).fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void QueryTableModel::resolveFields() const {
    if (fieldsResolved_)
        return;
    fields_.clear();
    Query* q = link_.dataSet();
    for (const GridColumn& c : columns_)
        fields_.append(q && !c.fieldName.trimmed().isEmpty() ? q->findField(c.fieldName) : nullptr);
    // Fields appear when the data set is first opened: resolve again until it is.
    fieldsResolved_ = q && q->isActive();
}

Field* QueryTableModel::fieldAt(int column) const {
    if (column < 0 || column >= columns_.size())
        return nullptr;
    resolveFields();
    return fields_.value(column);
}

bool QueryTableModel::isColumnVisible(int column) const {
    if (column < 0 || column >= columns_.size() || !columns_.at(column).visible)
        return false;
    const Field* f = fieldAt(column);
    return !f || f->isVisible();
}

QString QueryTableModel::columnTitle(int column) const {
    const GridColumn& c = columns_.at(column);
    if (!c.title.isEmpty())
        return c.title;
    if (const Field* f = fieldAt(column))
        return f->label();
    return c.fieldName;
}

void QueryTableModel::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
}

bool QueryTableModel::isCellEditable(int column) const {
    if (readOnly_ || column < 0 || column >= columns_.size() || columns_.at(column).readOnly)
        return false;
    const Field* f = fieldAt(column);
    return f && !f->isReadOnly() && !f->isCalculated();
}

void QueryTableModel::markSortedColumn(int column, const QColor& base, const QColor& sorted) {
    markedColumn_ = column;
    marking_ = true;
    baseColour_ = base;
    sortedColour_ = sorted;
    baseText_ = TextOn(base);
    sortedText_ = TextOn(sorted);
    if (!columns_.isEmpty()) {
        emit headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, int(columns_.size()) - 1),
                             {Qt::BackgroundRole, Qt::ForegroundRole});
    }
}

int QueryTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    const Query* q = link_.activeDataSet();
    return q ? q->recordCount() : 0;
}

int QueryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant QueryTableModel::data(const QModelIndex& index, int role) const {
    const Query* q = link_.activeDataSet();
    if (!q || !index.isValid() || index.row() >= q->recordCount())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const Field* f = fieldAt(column);
        if (!f)
            return {};
        // A text handler that cannot read this row shows nothing rather than stopping the paint; the
        // failure itself is reported once the paint is over.
        QString text;
        RunReportingLater([&] { text = q->textAt(index.row(), *f); });
        return text;
    }
    case Qt::TextAlignmentRole: {
        if (columns_.at(column).centered)
            return int(Qt::AlignCenter);
        const Field* f = fieldAt(column);
        const bool numeric = f && (f->type() == FieldType::Integer || f->type() == FieldType::Float);
        return int((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole:
        if (marking_)
            return column == markedColumn_ ? sortedColour_ : baseColour_;
        return {};
    case Qt::ForegroundRole:
        if (marking_)
            return column == markedColumn_ ? sortedText_ : baseText_;
        return {};
    default:
        return {};
    }
}

bool QueryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    Query* q = link_.activeDataSet();
    if (role != Qt::EditRole || !q || !index.isValid() || !isCellEditable(index.column()))
        return false;
    Field* f = fieldAt(index.column());
    const int row = index.row();
    const QString text = value.toString();
    lastEditRefused_ = !RunDataCommand([&] {
        if (q->recNo() != row)
            q->setRecNo(row);
        // A cell left as shown changes nothing: neither an edit nor a value cut to the decimals shown.
        if (f->text() == text)
            return;
        if (!q->isEditing())
            q->edit();
        f->setText(text);
    });
    return !lastEditRefused_;
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columns_.size())
            return {};
        if (role == Qt::DisplayRole)
            return columnTitle(section);
        if (role == Qt::FontRole && marking_) {
            QFont font;
            font.setUnderline(section == markedColumn_);
            return font;
        }
        return {};
    }
    // The row indicator: the current row, and whether it is being edited or inserted.
    const Query* q = link_.activeDataSet();
    if (role != Qt::DisplayRole || !q || section != q->recNo())
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    switch (q->state()) {
    case DataSetState::Edit:
        return QStringLiteral("I");
    case DataSetState::Insert:
        return QStringLiteral("*");
    default:
        return QStringLiteral("▶");
    }
}

Qt::ItemFlags QueryTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (isCellEditable(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

void QueryTableModel::onDataSetChanged() {
    if (rowsMoved_) {
        // The change was one row, already told to the view.
        rowsMoved_ = false;
        onStateChanged();
        emit currentRowChanged();
        return;
    }
    beginResetModel();
    fieldsResolved_ = false;
    const Query* q = link_.activeDataSet();
    indicatorRow_ = q ? q->recNo() : -1;
    endResetModel();
    emit currentRowChanged();
}

void QueryTableModel::onRecordChanged() {
    const Query* q = link_.activeDataSet();
    if (!q || q->recNo() < 0 || q->recNo() >= q->recordCount() || columns_.isEmpty())
        return;
    emit dataChanged(index(q->recNo(), 0), index(q->recNo(), int(columns_.size()) - 1));
}

void QueryTableModel::onCurrentChanged() {
    onStateChanged();
    emit currentRowChanged();
}

void QueryTableModel::onStateChanged() {
    const Query* q = link_.activeDataSet();
    const int row = q ? q->recNo() : -1;
    const int rows = rowCount();
    for (int r : {indicatorRow_, row})
        if (r >= 0 && r < rows)
            emit headerDataChanged(Qt::Vertical, r, r);
    indicatorRow_ = row;
}
