#pragma once

#include "forms/ui/TbclDlgMD_T1.h"

class QComboBox;
class QPushButton;
class QWidget;
class TdmfZestAir;

// Table A: the statement's installations and activities above; below, the current installation's
// fields and permit, its fuels, and its emission sources with their fees. An installation is added
// and corrected in the installation window, a source in the source window.
class TGpTabelaA : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    explicit TGpTabelaA(TdmfZestAir& air, QWidget* parent = nullptr);

    static void Pokaz(TdmfZestAir& air, QWidget* parent);

    void BindDataSets(QObject* dataModule, Query* master, Query* detail) override;

    DataSource* const dsZr;
    ListCommands& sourceCommands() const { return *commandsZr_; }
    DataGrid* grdZr() const { return grdZr_; }
    QComboBox* cmbStatus() const { return cmbStatus_; }
    QPushButton* btnWstawPozwolenie() const { return btnWstaw_; }
    QPushButton* btnUsunPozwolenie() const { return btnUsun_; }
    QWidget* tsInstalacja() const { return tsInstalacja_; }
    PrintDropDown* btnZrPrint() const { return btnZrPrint_; }

protected:
    QList<DataSource*> detailSources() const override;
    void showing() override;
    void actMDodajExecute() override;
    void actMPoprawExecute() override;
    void actDDodajExecute() override;

private:
    void openInstallation(bool inserting);
    void openSource(bool inserting);
    void wstawPozwolenie();

    TdmfZestAir& air_;
    QWidget* tsInstalacja_;
    QComboBox* cmbStatus_;
    QPushButton* btnWstaw_;
    QPushButton* btnUsun_;
    ListCommands* commandsZr_;
    DataGrid* grdZr_;
    PrintDropDown* btnZrPrint_;
};
