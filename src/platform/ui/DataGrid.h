#pragma once

#include "platform/ui/QueryTableModel.h"

#include <QPointer>
#include <QTableView>

class QStyledItemDelegate;

enum GridColumnOption { ColumnReadOnly = 0x1, ColumnCentered = 0x2, ColumnHidden = 0x4 };
Q_DECLARE_FLAGS(GridColumnOptions, GridColumnOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridColumnOptions)

// A grid over a data set: its current cell follows the data set's current row and moves it; cells
// are edited in place or the grid is read-only with whole rows selected; a click on a column title
// sorts the data set by that column.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    // Three-column sort: the clicked column and the next two visible ones. Single: the clicked column
    // alone.
    enum class SortMode { ThreeColumns, SingleColumn };

    explicit DataGrid(DataSource& source, QWidget* parent = nullptr);

    QueryTableModel& gridModel() const { return *model_; }
    DataSource& dataSource() const { return model_->dataSource(); }
    Query* dataSet() const { return model_->dataSet(); }

    int addColumn(const QString& fieldName, const QString& title = QString(), GridColumnOptions options = {});
    int columnOfField(const QString& fieldName) const { return model_->columnOfField(fieldName); }
    QString columnField(int column) const { return model_->column(column).fieldName; }
    QString columnTitle(int column) const { return model_->columnTitle(column); }
    void setColumnReadOnly(int column, bool readOnly) { model_->setColumnReadOnly(column, readOnly); }
    void setColumnCentered(int column, bool centered) { model_->setColumnCentered(column, centered); }
    void setColumnVisible(int column, bool visible);
    // A fixed width in pixels instead of one fitted to the field.
    void setColumnWidthHint(int column, int width) { model_->setColumnWidth(column, width); }
    // The first visible column, -1 when none.
    int firstVisibleColumn() const;
    // The first visible column that can be typed into, -1 when none.
    int firstEditableColumn() const;

    // In-place editing with Tab between cells and a row indicator, or a read-only grid that selects
    // whole rows.
    void setInPlaceEditing(bool editing);
    bool inPlaceEditing() const { return inPlaceEditing_; }
    // Whether a double click opens a cell's editor (off while the grid serves a choice).
    void setEditOnDoubleClick(bool on);

    void setSortMode(SortMode mode) { sortMode_ = mode; }
    SortMode sortMode() const { return sortMode_; }
    // Title-click sort: only while the data set is browsing and when the column has a field. True
    // when it sorted.
    bool SortByColumn(int column, bool toggle);
    // Marks the sorted column: titles normal, every column on the tooltip background, the sorted
    // column's title underlined and its cells on the highlight-text colour.
    void markSortedColumn(int column);
    void centerTitles();
    // Widths from the fields' sizes and the titles (columns with a width hint keep it).
    void fitColumns();
    // Wide enough for every visible column and tall enough for a screenful of rows.
    QSize sizeHint() const override;

    // Writes a cell being typed into to the data set (before a command runs on it); false when the
    // data set refused the text (the cell stays open).
    bool commitEditor();
    // Drops a cell being typed into.
    void discardEditor();
    bool isEditorOpen() const { return editor_ != nullptr; }
    // Opens the editor of the current cell when it can be typed into.
    void editCurrentCell();
    // Makes the view's current row the data set's current row.
    void syncToDataSet();
    // The whole text of a cell that is too narrow for it (shown cut off with "…"); empty when it fits.
    // The cell's tooltip shows it.
    QString cutOffText(const QModelIndex& index) const;

signals:
    // A title was clicked and the data set sorted by its column.
    void titleClicked(int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class DataGridDelegate;
    void onTitleClicked(int column);
    void applyColumnVisibility();
    void editorCreated(QWidget* editor);

    QueryTableModel* model_;
    QPointer<QWidget> editor_;
    bool inPlaceEditing_ = true;
    bool editOnDoubleClick_ = true;
    bool syncing_ = false;
    SortMode sortMode_ = SortMode::ThreeColumns;
};
