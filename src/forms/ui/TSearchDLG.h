#pragma once

#include "forms/ui/TrSearchData.h"

#include <QDialog>
#include <QPointer>

class Query;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// Finds a row of a list by the beginning of a value of one column: every change of the typed text
// moves the data set to the first row whose value begins with it (letter case ignored); the row found
// stays current when the dialog closes.
class TSearchDLG : public QDialog {
    Q_OBJECT
public:
    TSearchDLG(Query* dataSet, const TrSearchData& column, QWidget* parent = nullptr);

    QLineEdit* edtFraza() const { return edtFraza_; }
    QLabel* lblFraza() const { return lblFraza_; }
    QPushButton* btnOK() const { return btnOK_; }
    QToolButton* btnClear() const { return btnClear_; }

    // Opens the dialog modally on the data set and its search column.
    static void Search(Query* dataSet, const TrSearchData& column, QWidget* parent = nullptr);

private:
    void find(const QString& text);

    QPointer<Query> dataSet_;
    TrSearchData column_;
    QLabel* lblFraza_;
    QLineEdit* edtFraza_;
    QToolButton* btnClear_;
    QPushButton* btnOK_;
};
