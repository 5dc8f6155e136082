#pragma once

#include <QDialog>

class QLabel;

// The about box: the program with its version and the version of the database it works on.
class TbcAboutBoxDb : public QDialog {
    Q_OBJECT
public:
    TbcAboutBoxDb(const QString& programVersion, const QString& databaseVersion, QWidget* parent = nullptr);

    static QString HomePage();
    QLabel* programVersionLabel() const { return programVersion_; }
    QLabel* databaseVersionLabel() const { return databaseVersion_; }
    QLabel* linkLabel() const { return link_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* icon_;
    QLabel* programVersion_;
    QLabel* databaseVersion_;
    QLabel* link_;
};

// Opens the address in the desktop's default web browser; false when none could be started.
bool OpenWebAddress(const QString& address);

// The program's icon, drawn rather than shipped as a file.
QPixmap ProgramIcon(int size);
