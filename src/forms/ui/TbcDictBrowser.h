#pragma once

#include "forms/DataHelpers.h"
#include "forms/ui/TrSearchData.h"
#include "platform/ui/DataGrid.h"

#include <QDialog>
#include <QMainWindow>

class DataSourceLink;
class ListCommands;
class QAction;
class QEventLoop;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QVBoxLayout;

// What the two dictionary browsers share: a list of one data set in a grid, the commands to move,
// search, add, change, delete, re-read and toggle the active flag (toolbar, the window's own menu
// "&Słownik" and the grid's context menu), title-click sort, and the picker form in which the same
// window is shown modally with active rows only and "&Wybierz" / "&Zrezygnuj".
//
// A browser is a child window of the main window (which merges the window's menu bar into its own)
// and frees itself when closed; as a picker (`exec`) it only hides, so that the caller can read the
// current row of its data set.
class TbcDictBrowser : public QMainWindow {
    Q_OBJECT
public:
    ~TbcDictBrowser() override;

    // Active-row filter mode set on the data set when the window is shown.
    int FilterMode = FilterAll;
    // The active-flag column that "Ustaw aktywny" toggles; empty: the command does nothing.
    QString ActiveField;

    DataSource* const dsMain;

    DataGrid* grid() const { return grid_; }
    QToolBar* toolBar() const { return toolBar_; }
    // "&Słownik" in the window's menu bar; a concrete window may give it its own caption.
    QMenu* dictMenu() const { return dictMenu_; }
    QMenu* gridMenu() const { return gridMenu_; }

    QAction* actFirst;
    QAction* actPrior;
    QAction* actNext;
    QAction* actLast;
    QAction* actSearch;
    QAction* actDodaj;
    QAction* actPopraw;
    QAction* actUstawAktywny;
    QAction* actAUUsun;
    QAction* actRefresh;

    int addColumn(const QString& fieldName, const QString& title = QString(),
                  GridColumnOptions options = {}) {
        return grid_->addColumn(fieldName, title, options);
    }
    // A captioned multi-line edit of a field below the grid.
    QPlainTextEdit* addMemo(const QString& caption, const QString& fieldName);

    const TrSearchData& searchData() const { return searchData_; }
    void setSearchColumn(int column);

    // --- picker form
    void setPickerMode(bool picker);
    bool isPickerMode() const { return pickerMode_; }
    // Shows the window modally as a picker; QDialog::Accepted after "&Wybierz" (or a double click),
    // QDialog::Rejected otherwise.
    int exec();
    bool ExecPicker() { return exec() == QDialog::Accepted; }
    int result() const { return result_; }
    QPushButton* btnWybierz() const { return btnWybierz_; }
    QPushButton* btnZrezygnuj() const { return btnZrezygnuj_; }
    // The filter mode in force: active rows only for a picker.
    int effectiveFilterMode() const;

public slots:
    void accept() { done(QDialog::Accepted); }
    void reject() { done(QDialog::Rejected); }
    void done(int result);
    // Enables the commands by the state of the data set.
    void updateActions();

protected:
    explicit TbcDictBrowser(QWidget* parent = nullptr);

    // What the window does when it is shown (the data set filtered, opened, sorted, positioned).
    virtual void showing() = 0;
    // May the window close? A refusal keeps it open.
    virtual bool closeQuery() { return true; }
    // Whether "Ustaw aktywny" posts the row at once.
    virtual bool postsActiveToggle() const = 0;
    // The key column by which "&Refresh" keeps the current row (empty: it keeps the position).
    virtual QString refreshKeyField() const { return QString(); }
    virtual void onGridDoubleClicked();
    virtual void actDodajExecute() = 0;
    virtual void actPoprawExecute() = 0;
    void actUstawAktywnyExecute();

    // Runs a command: cells and edits being typed into are written first, failures are shown.
    bool runCommand(const std::function<void()>& command, bool commitFirst = true);
    // Writes what is being typed in the grid and the bound edits to the data set.
    bool commitEditors();
    QAction* makeAction(const QString& name, const QString& caption, const QString& hint,
                        const QKeySequence& shortcut = QKeySequence());
    // Puts an action into the toolbar and the menu before the save/cancel slot.
    void insertEditAction(QAction* action);
    QVBoxLayout* centralLayout() const { return central_; }
    Query* dataSet() const;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ListCommands* commands_;
    DataSourceLink* link_;
    DataGrid* grid_;
    QToolBar* toolBar_;
    QMenu* dictMenu_;
    QMenu* gridMenu_;
    QVBoxLayout* central_;
    QWidget* pickerPanel_;
    QPushButton* btnWybierz_;
    QPushButton* btnZrezygnuj_;
    QAction* toolBarEditSlot_;
    QAction* menuEditSlot_;
    QAction* escape_;
    TrSearchData searchData_;
    bool pickerMode_ = false;
    bool shownOnce_ = false;
    int result_ = QDialog::Rejected;
    QEventLoop* loop_ = nullptr;
};
