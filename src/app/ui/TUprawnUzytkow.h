#pragma once

#include <QMainWindow>

class DataGrid;
class DataSource;
class QAction;
class TdmfUprawnUzytkow;

// The functions granted to one user, each marked "+" or "-"; Ctrl+W (or a double click) grants or
// withdraws the current one.
class TUprawnUzytkow : public QMainWindow {
    Q_OBJECT
public:
    TUprawnUzytkow(int userId, const QString& userName, QWidget* parent = nullptr);
    ~TUprawnUzytkow() override;

    TdmfUprawnUzytkow& rights() const { return *rights_; }
    DataGrid* grid() const { return grid_; }
    QAction* actToggle;
    QAction* actZamknij;

private:
    void toggle();

    TdmfUprawnUzytkow* rights_;
    DataSource* dsMain_;
    DataGrid* grid_;
};
