#pragma once

#include <QDialog>

class DataSource;
class Query;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The modal dialog that edits one row of a TbcDictT2 list, bound to the list's own data set (which
// the list has put into insert or edit state). "&Zapisz" saves the row and closes; a refused save
// shows the error and keeps the dialog open. Any other way of closing drops the pending change.
// Create it with new: it frees itself when closed.
class TbcDictItem : public QDialog {
    Q_OBJECT
public:
    explicit TbcDictItem(Query* dataSet, QWidget* parent = nullptr);

    DataSource* const dsMain;

    QPushButton* btnZapisz() const { return btnZapisz_; }
    QPushButton* btnAnuluj() const { return btnAnuluj_; }
    // The form of captioned edits above the buttons.
    QFormLayout* form() const { return form_; }
    QLineEdit* addEdit(const QString& caption, const QString& fieldName);
    QPlainTextEdit* addMemo(const QString& caption, const QString& fieldName);

    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    bool focusPlaced_ = false;
    void save();

    QFormLayout* form_;
    QPushButton* btnZapisz_;
    QPushButton* btnAnuluj_;
};
