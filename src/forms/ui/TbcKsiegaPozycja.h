#pragma once

#include <QDialog>
#include <QPointer>

class DataSource;
class Query;
class QPushButton;
class QVBoxLayout;

// The modal dialog that edits one entry of a register, bound to the register's own data set (which
// the register has put into insert or edit state). "&Zapisz" saves the entry and closes; a refused
// save shows the error and keeps the dialog open. Every close drops whatever change is still pending,
// so "&Anuluj" or the window's close button abandons the changes.
//
// Create it with new: it frees itself when closed.
class TbcKsiegaPozycja : public QDialog {
    Q_OBJECT
public:
    explicit TbcKsiegaPozycja(QWidget* parent = nullptr);

    DataSource* const dsMain;

    // Keeps the data module and makes the data set that of dsMain; a concrete dialog extends it to
    // bind its further sources.
    virtual void BindEntry(QObject* dataModule, Query* dataSet);
    QObject* dataModule() const { return dataModule_; }

    QPushButton* btnZapisz() const { return btnZapisz_; }
    QPushButton* btnAnuluj() const { return btnAnuluj_; }
    // The layout above the buttons that a concrete dialog fills.
    QVBoxLayout* contentLayout() const { return content_; }

    // Accepted ("&Zapisz") posts first and stays open when the post fails; every close then cancels
    // what is still pending.
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    bool focusPlaced_ = false;
    QPointer<QObject> dataModule_;
    QVBoxLayout* content_;
    QPushButton* btnZapisz_;
    QPushButton* btnAnuluj_;
};
