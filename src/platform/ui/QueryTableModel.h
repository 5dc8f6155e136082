#pragma once

#include "platform/ui/DataSourceLink.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

class Field;

// One column of a data grid.
struct GridColumn {
    QString fieldName;
    QString title; // empty: the field's label
    bool readOnly = false;
    bool centered = false;
    bool visible = true;
    int width = 0; // pixels; 0: fitted to the field
};

// The rows of a data set as a table: one row per visible row of the data set, one column per grid
// column. Cells show the field's text as the user sees it; an edit moves the data set to the row,
// puts it into edit state and sets the field's text, as typing into a data-aware grid does.
class QueryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryTableModel(DataSource& source, QObject* parent = nullptr);

    DataSource& dataSource() const { return link_.source(); }
    Query* dataSet() const { return link_.dataSet(); }
    DataSourceLink& link() { return link_; }

    int addColumn(const GridColumn& column);
    const QList<GridColumn>& columns() const { return columns_; }
    const GridColumn& column(int column) const { return columns_.at(column); }
    void setColumnReadOnly(int column, bool readOnly);
    void setColumnCentered(int column, bool centered);
    void setColumnVisible(int column, bool visible);
    void setColumnWidth(int column, int width);
    // The first column bound to the field (letter case ignored), -1 when none.
    int columnOfField(const QString& fieldName) const;
    // The field of a column in the open data set, null when there is none.
    Field* fieldAt(int column) const;
    bool isColumnVisible(int column) const;
    QString columnTitle(int column) const;

    // Whole grid read-only (a browse-only list).
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }
    bool isCellEditable(int column) const;
    // True while the data set adds or removes a row: the view's current cell follows the data set then,
    // never the other way round.
    bool isChangingRows() const { return changingRows_; }
    // Whether the last edit of a cell was refused by the data set.
    bool lastEditRefused() const { return lastEditRefused_; }

    // Marking of the sorted column: every cell on `base`, the sorted column's cells on `sorted` and its
    // title underlined. A column of -1 marks no column and leaves the colours alone.
    void markSortedColumn(int column, const QColor& base, const QColor& sorted);
    int markedColumn() const { return markedColumn_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The data set's current row moved or the rows were read anew.
    void currentRowChanged();
    void columnsChanged();

private:
    void onDataSetChanged();
    void onRecordChanged();
    void onCurrentChanged();
    void onStateChanged();
    void resolveFields() const;

    DataSourceLink link_;
    QList<GridColumn> columns_;
    mutable QList<Field*> fields_; // per column, resolved on demand after each reset
    mutable bool fieldsResolved_ = false;
    bool readOnly_ = false;
    int markedColumn_ = -1;
    bool marking_ = false;
    QColor baseColour_, sortedColour_, baseText_, sortedText_;
    int indicatorRow_ = -1;
    bool changingRows_ = false;
    bool rowsMoved_ = false; // the data set's next change notice follows a row insert or removal
    bool lastEditRefused_ = false;
};
