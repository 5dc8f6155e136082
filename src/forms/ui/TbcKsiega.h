#pragma once

#include "forms/ui/ListCommands.h"
#include "forms/ui/PrintDropDown.h"
#include "forms/ui/TrSearchData.h"
#include "platform/ui/DataGrid.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class DataSource;
class Query;
class QMenu;
class QToolBar;
class QVBoxLayout;
class TbcKsiegaPozycja;

// A register: a child window of the main window listing entries in a read-only grid that selects
// whole rows, each entry opened in a modal entry dialog (TbcKsiegaPozycja). The concrete register
// binds its data module and list query, names its columns, and supplies the "&Dodaj" / "&Popraw"
// handlers, which create the entry dialog and pass it to AddEntry or EditEntry. The window's own menu
// "&Księga" is merged into the main menu; a title click sorts by that column alone.
//
// It frees itself when closed and closes its list when destroyed.
class TbcKsiega : public QMainWindow {
    Q_OBJECT
public:
    explicit TbcKsiega(QWidget* parent = nullptr);
    ~TbcKsiega() override;

    DataSource* const dsMain;

    // The data module the register works on and its list query (the data set of dsMain).
    void Bind(QObject* dataModule, Query* dataSet);
    QObject* dataModule() const { return dataModule_; }
    Query* dataSet() const;

    // The key column of the entries (for statements "z_id").
    QString KsiegaKeyField;
    // Columns whose cells are centred (letter case ignored).
    QStringList CenteredFields;

    // Binds the new dialog to the register's data set, inserts an entry, shows the dialog modally,
    // then re-reads the list and returns to the entry with the same key. The dialog frees itself.
    void AddEntry(TbcKsiegaPozycja* entry);
    // As AddEntry, with the current entry put in edit state instead.
    void EditEntry(TbcKsiegaPozycja* entry);

    // Title sort: base by the column alone (a second click reverses), TbcKsiegaEF by the column and the
    // next two visible ones. True when it sorted.
    virtual bool SortByColumn(int column, bool toggle);
    // The field name of the column last sorted by.
    const QString& sortedField() const { return sortedField_; }

    const TrSearchData& searchData() const { return searchData_; }
    void setSearchColumn(int column);

    DataGrid* grid() const { return grid_; }
    QToolBar* toolBar() const { return toolBar_; }
    // "&Księga" in the window's menu bar.
    QMenu* ksiegaMenu() const { return ksiegaMenu_; }
    QMenu* gridMenu() const { return gridMenu_; }
    // The print drop-down ("Wydruki z Księgi"), hidden until the concrete register fills and shows it.
    PrintDropDown* btnPrint() const { return btnPrint_; }
    // The layout around the grid, for a concrete register's own panels.
    QVBoxLayout* centralLayout() const { return central_; }
    ListCommands& commands() const { return *commands_; }

    QAction* actFirst() const { return commands_->actFirst; }
    QAction* actPrior() const { return commands_->actPrior; }
    QAction* actNext() const { return commands_->actNext; }
    QAction* actLast() const { return commands_->actLast; }
    QAction* actSearch() const { return commands_->actSearch; }
    QAction* actDodaj() const { return commands_->actDodaj; }
    QAction* actPopraw() const { return commands_->actPopraw; }
    QAction* actAUUsun() const { return commands_->actAUUsun; }
    QAction* actRefresh() const { return commands_->actRefresh; }

protected:
    virtual void actDodajExecute() {}
    virtual void actPoprawExecute() {}
    // The list filtered, opened, sorted and positioned when the window is first shown.
    virtual void showing();
    void showEvent(QShowEvent* event) override;

private:
    enum class EntryStart { Insert, Edit };
    void runEntry(TbcKsiegaPozycja* entry, EntryStart start);
    void onTitleClicked(int column);

    QPointer<QObject> dataModule_;
    DataGrid* grid_;
    ListCommands* commands_;
    QToolBar* toolBar_;
    QMenu* ksiegaMenu_;
    QMenu* gridMenu_;
    PrintDropDown* btnPrint_;
    QVBoxLayout* central_;
    TrSearchData searchData_;
    QString sortedField_;
    bool shownOnce_ = false;
};
