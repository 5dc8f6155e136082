#pragma once

#include "forms/ui/TbcDictItem.h"
#include "forms/ui/TbcDlgMD_T2.h"
#include "forms/ui/TbclDlgMD_T1.h"

class SewageDischarge;
class QAction;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The sewage receivers of a statement: the list of receivers, the data of the current one and its
// fees on four pages (the code rows of Table A, cooling water, rain and snowmelt water, saline water).
class TOplatyScieki : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    explicit TOplatyScieki(SewageDischarge& sewage, QWidget* parent = nullptr);

    SewageDischarge& sewage() const { return sewage_; }
    // The rain rows' source and commands (the second detail list).
    DataSource* const dsD1;
    ListCommands& rainCommands() const { return *rainCommands_; }
    QAction* actPrzeliczOR() const { return actPrzeliczOR_; }
    QWidget* pnlOdbiornik() const { return pnlOdbiornik_; }
    DataGrid* grdOR() const { return grdOR_; }
    QPushButton* btnPrzeliczChl() const { return btnPrzeliczChl_; }
    QPushButton* btnPrzeliczChls() const { return btnPrzeliczChls_; }

    // Binds the receivers, the code rows and the rain rows.
    void BindDataSets();

protected:
    QList<DataSource*> detailSources() const override { return {dsD, dsD1}; }
    void actMDodajExecute() override;
    void actMPoprawExecute() override;
    void actDDodajExecute() override;
    void actDPoprawExecute() override;

private:
    QWidget* buildReceiverPanel();
    QWidget* buildCoolingPage();
    QWidget* buildRainPage();
    QWidget* buildSalinePage();
    void openCodeDialog();
    void updateState();

    SewageDischarge& sewage_;
    ListCommands* rainCommands_;
    QAction* actPrzeliczOR_ = nullptr;
    QWidget* pnlOdbiornik_;
    DataGrid* grdOR_ = nullptr;
    QPushButton* btnPrzeliczChl_ = nullptr;
    QPushButton* btnPrzeliczChls_ = nullptr;
};

// "Lokalizacja odbiornika ścieków": name, water board and location of the current receiver.
class TOdbiornikSciekow : public TbcDictItem {
    Q_OBJECT
public:
    explicit TOdbiornikSciekow(Query* receivers, QWidget* parent = nullptr);
};

// "Opłaty za wprowadzanie ścieków o kodzie": one code row with its indicator fees.
class TScOplZaWskTA : public TbcDlgMD_T2 {
    Q_OBJECT
public:
    explicit TScOplZaWskTA(SewageDischarge& sewage, QWidget* parent = nullptr);

    void BindDataSets();
    QLineEdit* edtKod() const { return edtKod_; }
    QPushButton* btnWybierzKod() const { return btnWybierzKod_; }
    QPushButton* btnGeneruj() const { return btnGeneruj_; }
    QAction* actPrzelicz() const { return actPrzelicz_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateState();

    SewageDischarge& sewage_;
    QLineEdit* edtKod_;
    QPushButton* btnWybierzKod_;
    QPushButton* btnGeneruj_;
    QAction* actPrzelicz_;
};
