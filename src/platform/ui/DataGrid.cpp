#include "platform/ui/DataGrid.h"

#include <QScrollBar>

#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QAction>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

struct SortKey {
    QString field;
    bool descending = false;
};

QList<SortKey> ParseSortOrder(const QString& order) {
    QList<SortKey> keys;
    for (const QString& part : order.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        keys.append({words.first(), words.size() > 1 && words.at(1).compare(QLatin1String("DESC"),
                                                                            Qt::CaseInsensitive) == 0});
    }
    return keys;
}

QString SortOrderText(const QList<SortKey>& keys) {
    QStringList parts;
    for (const SortKey& k : keys)
        parts << (k.descending ? k.field + QStringLiteral(" DESC") : k.field);
    return parts.join(QStringLiteral(", "));
}

} // namespace

// Tells the grid about each cell editor it opens, and keeps typed text within the field's size.
class DataGridDelegate : public QStyledItemDelegate {
public:
    explicit DataGridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const Field* f = grid_->gridModel().fieldAt(index.column());
            if (f && f->type() == FieldType::String && f->size() > 0)
                line->setMaxLength(f->size());
        }
        grid_->editorCreated(editor);
        return editor;
    }

private:
    DataGrid* grid_;
};

DataGrid::DataGrid(DataSource& source, QWidget* parent)
    : QTableView(parent), model_(new QueryTableModel(source, this)) {
    setModel(model_);
    setItemDelegate(new DataGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // A title click sorts; it does not select the column (which would move the current row).
    QObject::disconnect(horizontalHeader(), SIGNAL(sectionPressed(int)), this, nullptr);
    QObject::disconnect(horizontalHeader(), SIGNAL(sectionEntered(int)), this, nullptr);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::onTitleClicked);
    connect(model_, &QueryTableModel::modelAboutToBeReset, this, [this] { editor_ = nullptr; });
    connect(model_, &QueryTableModel::modelReset, this, [this] {
        applyColumnVisibility();
        syncToDataSet();
    });
    connect(model_, &QueryTableModel::currentRowChanged, this, &DataGrid::syncToDataSet);
    connect(model_, &QueryTableModel::columnsChanged, this, &DataGrid::applyColumnVisibility);
    setInPlaceEditing(true);
}

int DataGrid::addColumn(const QString& fieldName, const QString& title, GridColumnOptions options) {
    GridColumn c;
    c.fieldName = fieldName;
    c.title = title;
    c.readOnly = options.testFlag(ColumnReadOnly);
    c.centered = options.testFlag(ColumnCentered);
    c.visible = !options.testFlag(ColumnHidden);
    return model_->addColumn(c);
}

void DataGrid::setColumnVisible(int column, bool visible) {
    model_->setColumnVisible(column, visible);
}

void DataGrid::applyColumnVisibility() {
    for (int c = 0; c < model_->columnCount(); ++c)
        setColumnHidden(c, !model_->isColumnVisible(c));
}

int DataGrid::firstVisibleColumn() const {
    for (int c = 0; c < model_->columnCount(); ++c)
        if (model_->isColumnVisible(c))
            return c;
    return -1;
}

int DataGrid::firstEditableColumn() const {
    for (int c = 0; c < model_->columnCount(); ++c)
        if (model_->isColumnVisible(c) && model_->isCellEditable(c))
            return c;
    return -1;
}

void DataGrid::setInPlaceEditing(bool editing) {
    inPlaceEditing_ = editing;
    model_->setReadOnly(!editing);
    if (editing) {
        EditTriggers triggers = EditKeyPressed | AnyKeyPressed | SelectedClicked;
        if (editOnDoubleClick_)
            triggers |= DoubleClicked;
        setEditTriggers(triggers);
        setSelectionBehavior(QAbstractItemView::SelectItems);
        setTabKeyNavigation(true);
        verticalHeader()->setVisible(true);
    } else {
        setEditTriggers(NoEditTriggers);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setTabKeyNavigation(false);
        verticalHeader()->setVisible(false);
    }
    setShowGrid(true);
}

void DataGrid::setEditOnDoubleClick(bool on) {
    editOnDoubleClick_ = on;
    setInPlaceEditing(inPlaceEditing_);
}

bool DataGrid::SortByColumn(int column, bool toggle) {
    Query* q = model_->link().activeDataSet();
    if (!q || q->state() != DataSetState::Browse)
        return false;
    if (column < 0 || column >= model_->columnCount() || columnField(column).trimmed().isEmpty() ||
        !model_->fieldAt(column))
        return false;
    const QString field = columnField(column).trimmed();
    QList<SortKey> keys = ParseSortOrder(q->sortedFields());
    const bool descending = !keys.isEmpty() && keys.first().descending;
    bool leads = !keys.isEmpty() && keys.first().field.compare(field, Qt::CaseInsensitive) == 0;
    if (sortMode_ == SortMode::SingleColumn)
        leads = leads && keys.size() == 1;
    if (!leads) {
        keys = {{field, descending}};
        if (sortMode_ == SortMode::ThreeColumns) {
            for (int c = column + 1; c < model_->columnCount() && keys.size() < 3; ++c)
                if (model_->isColumnVisible(c) && model_->fieldAt(c) && !columnField(c).trimmed().isEmpty())
                    keys.append({columnField(c).trimmed(), descending});
        }
    } else if (toggle) {
        for (SortKey& k : keys)
            k.descending = !k.descending;
    }
    const QString order = SortOrderText(keys);
    return RunDataCommand([&] {
        if (order != q->sortedFields())
            q->setSortedFields(order);
        markSortedColumn(column);
        q->refresh();
    });
}

void DataGrid::markSortedColumn(int column) {
    model_->markSortedColumn(column, palette().color(QPalette::ToolTipBase),
                             palette().color(QPalette::HighlightedText));
}

void DataGrid::centerTitles() {
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

QSize DataGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    const int width = verticalHeader()->width() + horizontalHeader()->length() +
                      verticalScrollBar()->sizeHint().width() + frame;
    const int rows = std::clamp(model_->rowCount(), 8, 20);
    const int height = horizontalHeader()->height() + rows * verticalHeader()->defaultSectionSize() +
                       horizontalScrollBar()->sizeHint().height() + frame;
    return {std::max(width, 320), height};
}

void DataGrid::fitColumns() {
    const QFontMetrics fm = fontMetrics();
    const QFontMetrics titleFm = horizontalHeader()->fontMetrics();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const GridColumn& column = model_->column(c);
        if (column.width > 0) {
            setColumnWidth(c, column.width);
            continue;
        }
        int chars = 10;
        if (const Field* f = model_->fieldAt(c)) {
            switch (f->type()) {
            case FieldType::String:
                chars = f->size() > 0 ? std::min(f->size(), 40) : 20;
                break;
            case FieldType::Integer:
                chars = 7;
                break;
            case FieldType::Float:
                chars = 12;
                break;
            default:
                break;
            }
        }
        const int title = titleFm.horizontalAdvance(model_->columnTitle(c)) + 20;
        setColumnWidth(c, std::min(400, std::max(title, fm.averageCharWidth() * chars + 12)));
    }
}

void DataGrid::onTitleClicked(int column) {
    if (SortByColumn(column, true))
        emit titleClicked(column);
}

void DataGrid::editorCreated(QWidget* editor) {
    editor_ = editor;
    editor->installEventFilter(this);
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_)
        editor_ = nullptr;
    QTableView::closeEditor(editor, hint);
}

bool DataGrid::commitEditor() {
    if (!editor_)
        return true;
    QWidget* editor = editor_;
    commitData(editor);
    if (model_->lastEditRefused())
        return false;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void DataGrid::discardEditor() {
    if (editor_)
        closeEditor(editor_, QAbstractItemDelegate::RevertModelCache);
}

void DataGrid::editCurrentCell() {
    Query* q = model_->link().activeDataSet();
    if (!q || q->recNo() < 0)
        return;
    QModelIndex index = currentIndex();
    if (!index.isValid() || index.row() != q->recNo() || !model_->isCellEditable(index.column())) {
        const int column = firstEditableColumn();
        if (column < 0)
            return;
        index = model_->index(q->recNo(), column);
        syncing_ = true;
        setCurrentIndex(index);
        syncing_ = false;
    }
    setFocus();
    edit(index);
}

void DataGrid::syncToDataSet() {
    if (syncing_)
        return;
    const Query* q = model_->link().activeDataSet();
    syncing_ = true;
    if (!q || q->recNo() < 0 || q->recNo() >= model_->rowCount()) {
        selectionModel()->clearCurrentIndex();
    } else {
        int column = currentIndex().isValid() ? currentIndex().column() : -1;
        if (column < 0 || isColumnHidden(column))
            column = std::max(firstVisibleColumn(), 0);
        const QModelIndex index = model_->index(q->recNo(), column);
        if (currentIndex() != index) {
            // The data set has moved on: a cell still being typed into belongs to the row it left.
            discardEditor();
            QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
            if (!inPlaceEditing_)
                flags |= QItemSelectionModel::Rows;
            selectionModel()->setCurrentIndex(index, flags);
        }
        scrollTo(index);
    }
    syncing_ = false;
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The base class writes a cell being typed into to its row first, while the data set is still there.
    QTableView::currentChanged(current, previous);
    if (syncing_ || model_->isChangingRows() || !current.isValid())
        return;
    Query* q = model_->link().activeDataSet();
    if (!q || current.row() == q->recNo())
        return;
    const bool moved = RunDataCommand([&] { q->setRecNo(current.row()); });
    if (!moved || q->recNo() != current.row()) {
        syncToDataSet();
        // The view finishes the click or key after this; come back once it has.
        QMetaObject::invokeMethod(this, &DataGrid::syncToDataSet, Qt::QueuedConnection);
    }
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::ShortcutOverride) {
        // The window's commands (save, cancel, delete, ...) win over the editor's own keys: Ctrl+Z
        // saves the row rather than undoing the typing.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence typed(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        for (QWidget* w = this; w; w = w->parentWidget()) {
            for (QAction* a : w->actions())
                if (a->isEnabled() && a->shortcuts().contains(typed))
                    return true;
            if (w->isWindow())
                break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    // Escape outside a cell editor drops the changes of the row, as in data-aware grids.
    if (event->key() == Qt::Key_Escape && inPlaceEditing_ && !editor_) {
        Query* q = model_->link().activeDataSet();
        if (q && q->isEditing()) {
            RunDataCommand([&] { q->cancel(); });
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

QString DataGrid::cutOffText(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return {};
    // The delegate leaves a margin on each side of a cell's text and elides what does not fit.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int available = visualRect(index).width() - 2 * margin;
    QFont font = this->font();
    if (const QVariant f = index.data(Qt::FontRole); f.canConvert<QFont>())
        font = f.value<QFont>();
    return QFontMetrics(font).horizontalAdvance(text) > available ? text : QString();
}

bool DataGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = cutOffText(index);
        if (!text.isEmpty()) {
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}

bool DataGrid::event(QEvent* event) {
    // A grid shown over a data set that already stands on a row (a picker opened again) marks it.
    if (event->type() == QEvent::Show)
        syncToDataSet();
    // Escape drops the changes of an edited row before it can close the window.
    if (event->type() == QEvent::ShortcutOverride && inPlaceEditing_ && !editor_ &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        const Query* q = model_->link().activeDataSet();
        if (q && q->isEditing()) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}
