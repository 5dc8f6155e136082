#pragma once

#include "forms/ui/TbclDlgMD_T1.h"

class IdComboBinding;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TdmfZest;
class TdmfZestOdpady;

// "Opłaty za składowani odpadów": the storage sites of a statement and, for the current site, its
// data (legal status with the coefficient, the approval of the operating instructions and the permit,
// each with its status) and three pages of waste: stored with segregation, stored without it (with
// the components of each mixed waste) and removed. The site's data and the waste pages are disabled
// while the site has no commune. Waste types are picked in the statement's rate year.
class TOplatyOdpady : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    explicit TOplatyOdpady(QWidget* parent = nullptr);

    DataSource* const dsD1; // waste stored without segregation
    DataSource* const dsD2; // removed waste

    using TbclDlgMD_T1::BindDataSets;
    // Binds the sites as the master, the selectively stored waste as the framework's detail, the
    // non-selectively stored and the removed waste as the further details, each read afresh, and
    // fills the status pick lists.
    void BindDataSets(TdmfZestOdpady& odpady);

    // The window behind the statement window's waste button: shown modally on the module.
    static void Pokaz(TdmfZest& dm, QWidget* parent);

    TdmfZestOdpady* odpady() const { return odpady_; }

    // The site's data and the waste pages.
    QTabWidget* pcSklOdpd() const { return pcSklOdpd_; }
    QWidget* tsDaneSkl() const { return tsDaneSkl_; }
    QLabel* lblOplaty() const { return lblOplaty_; }
    QWidget* tsOdpdNs() const { return tsOdpdNs_; }
    QWidget* tsOdpdW() const { return tsOdpdW_; }
    DataGrid* grdOdpd() const { return grdD(); }
    DataGrid* grdOdpdNs() const { return grdOdpdNs_; }
    DataGrid* grdOdpdW() const { return grdOdpdW_; }
    ListCommands& commandsNs() const { return *commandsNs_; }
    ListCommands& commandsW() const { return *commandsW_; }
    QAction* actOdpadySkladowe() const { return actOdpadySkladowe_; }

    QComboBox* cmbStatusDecyzji() const { return cmbStatusDecyzji_; }
    QComboBox* cmbStatusPrawny() const { return cmbStatusPrawny_; }
    QComboBox* cmbStatusZezwolenia() const { return cmbStatusZezwolenia_; }
    QLineEdit* edtWspRozn() const { return edtWspRozn_; }
    QGroupBox* grpDecyzja() const { return grpDecyzja_; }
    QGroupBox* grpZezwolenie() const { return grpZezwolenie_; }
    QToolButton* btnWstawDecyzje() const { return btnWstawDecyzje_; }
    QToolButton* btnUsunDecyzje() const { return btnUsunDecyzje_; }
    QToolButton* btnWstawZezwolenie() const { return btnWstawZezwolenie_; }
    QToolButton* btnUsunZezwolenie() const { return btnUsunZezwolenie_; }
    // The four fields of a bound act: number, valid from, valid until, authority.
    QLineEdit* edtDecyzja(int n) const { return decyzja_[n]; }
    QLineEdit* edtZezwolenie(int n) const { return zezwolenie_[n]; }

    // The commands of the waste pages (also reachable from the toolbars).
    void DodajOdpad(DataSource& source);
    void PoprawOdpad(DataSource& source);
    void OdpadySkladowe();
    void WstawDecyzje();
    void UsunDecyzje();
    void WstawZezwolenie();
    void UsunZezwolenie();

protected:
    QList<DataSource*> detailSources() const override { return {dsD, dsD1, dsD2}; }
    void showing() override;
    DataGrid* currentDetailGrid() const override;

    void actMDodajExecute() override;
    void actMPoprawExecute() override;
    void actDDodajExecute() override { DodajOdpad(*dsD); }
    void actDPoprawExecute() override { PoprawOdpad(*dsD); }

private:
    void buildSitePage();
    QGroupBox* buildActGroup(const QString& title, const QString& hint, const QString& prefix,
                             QLineEdit** fields, QToolButton** insert, const QString& insertHint,
                             QToolButton** remove, const QString& removeHint);
    QWidget* buildWastePage(const QString& caption, DataSource& source, ListCommands** commands,
                            DataGrid** grid, const QString& prefix);
    static void addWasteColumns(DataGrid* grid);
    void fillPickLists();
    // Enables the site's data and the waste pages by the site's commune, the grids by their rows and
    // "Odpady składowe" by a saved current row.
    void updateState();
    void openSiteRecord();
    ListCommands* commandsOf(DataSource& source) const;

    TdmfZestOdpady* odpady_ = nullptr;
    QTabWidget* pcSklOdpd_;
    QWidget* tsDaneSkl_;
    QLabel* lblOplaty_;
    QWidget* tsOdpdNs_;
    QWidget* tsOdpdW_;
    DataGrid* grdOdpdNs_ = nullptr;
    DataGrid* grdOdpdW_ = nullptr;
    ListCommands* commandsNs_ = nullptr;
    ListCommands* commandsW_ = nullptr;
    QAction* actOdpadySkladowe_;
    QComboBox* cmbStatusDecyzji_;
    QComboBox* cmbStatusPrawny_;
    QComboBox* cmbStatusZezwolenia_;
    QLineEdit* edtWspRozn_;
    QGroupBox* grpDecyzja_;
    QGroupBox* grpZezwolenie_;
    QToolButton* btnWstawDecyzje_;
    QToolButton* btnUsunDecyzje_;
    QToolButton* btnWstawZezwolenie_;
    QToolButton* btnUsunZezwolenie_;
    QLineEdit* decyzja_[4];
    QLineEdit* zezwolenie_[4];
};

// Registers the waste window behind the statement window's waste button.
void RegisterWasteWindows();
