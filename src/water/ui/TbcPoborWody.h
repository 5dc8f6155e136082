#pragma once

#include "forms/ui/TbcDictItem.h"
#include "forms/ui/TbclDlgMD_T1.h"

class WaterWithdrawal;
class QAction;
class QTabWidget;

// The intakes of one type of a statement: the list of intakes, the data of the current one (permits,
// quantities, quality of the withdrawn water) and its fee rows. Not opened itself: the underground and
// the surface window differ in their captions, their fee list and the kind of surface intake.
class TbcPoborWody : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    TbcPoborWody(WaterWithdrawal& water, int tuwId, QWidget* parent = nullptr);

    WaterWithdrawal& water() const { return water_; }
    int tuwId() const { return tuwId_; }
    QTabWidget* pcDane() const { return pcDane_; }
    QAction* actWspRozn() const { return actWspRozn_; }
    QAction* actGenerujOplaty() const { return actGenerujOplaty_; }

    // Binds the intake list and the type's fee list.
    void BindDataSets();

protected:
    void actMDodajExecute() override;
    void actMPoprawExecute() override;

private:
    void buildDataPage(QWidget* page);
    void buildQualityPage(QWidget* page);
    void updateState();
    void choosePermit(int n);

    WaterWithdrawal& water_;
    int tuwId_;
    QTabWidget* pcDane_;
    QAction* actWspRozn_;
    QAction* actGenerujOplaty_;
};

// "Pobór wody podziemnej".
class TPoborWodyPodz : public TbcPoborWody {
    Q_OBJECT
public:
    explicit TPoborWodyPodz(WaterWithdrawal& water, QWidget* parent = nullptr);
};

// "Pobór wody powierzchniowej śródlądowej".
class TPoborWodyPow : public TbcPoborWody {
    Q_OBJECT
public:
    explicit TPoborWodyPow(WaterWithdrawal& water, QWidget* parent = nullptr);
};

// "Lokalizacja ujęcia wody": name, water board and location of the current intake.
class TUjecieWody : public TbcDictItem {
    Q_OBJECT
public:
    explicit TUjecieWody(Query* intakes, QWidget* parent = nullptr);
};
