#pragma once

#include "forms/ui/TbcDictBrowser.h"

// A small dictionary edited in place in its grid: "&Zapisz" and "&Anuluj" besides the shared
// commands; the key and the flag-text columns can't be typed into. A pending edit is saved when the
// window closes; a failing save keeps it open.
//
// A concrete window gives its caption and class name, the dictionaries module's query, the columns
// and the three column names:
//
//     setObjectName("TRzgw");
//     setWindowTitle("RZGW");
//     dsMain->setDataSet(&dict.qryRzgw);
//     addColumn("RZGW_NAZWA"); ... addColumn("clc_f_aktualny"); addColumn("RZGW_ID");
//     ActiveField = "rzgw_f_aktualny"; FlagField = "clc_f_aktualny"; IdField = "rzgw_id";
class TbcDictT1 : public TbcDictBrowser {
    Q_OBJECT
public:
    explicit TbcDictT1(QWidget* parent = nullptr);

    // The calculated flag-text column (read-only, centred).
    QString FlagField;
    // The key column (read-only).
    QString IdField;

    QAction* actPost;
    QAction* actCancel;

protected:
    void showing() override;
    bool closeQuery() override;
    bool postsActiveToggle() const override { return false; }
    QString refreshKeyField() const override { return IdField; }
    void actDodajExecute() override;
    void actPoprawExecute() override;

private:
    void updateEditActions();
};
