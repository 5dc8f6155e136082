#pragma once

#include "forms/ui/TbcDialogT1.h"

#include <QString>
#include <QVariant>

class DataGrid;
class QComboBox;
class QPushButton;
class TdmfDict;

// A waste type as the picker hands it to the caller: sotl_id, sotl_kod, sotl_rodzaj and
// sotl_jedn_st_opl (null where the catalogue gives no rate).
struct TrRodzajOdpadu {
    int sotlId = 0;
    QString kod;
    QString rodzaj;
    QVariant jednStOpl;
};

// The waste-type picker: groups, subgroups and waste types of one year of the waste catalogue in
// three linked lists of the dictionaries module (active rows only). Opens where the user was at the
// last confirmation of the run. Also serves as a read-only browser of the catalogue. Closing hides
// the window so that the caller can read the current row of the module's waste-type list.
class TWybRdzOdpd : public TbcDialogT1 {
    Q_OBJECT
public:
    explicit TWybRdzOdpd(QWidget* parent = nullptr); // on the program's dictionaries module
    explicit TWybRdzOdpd(TdmfDict& dict, QWidget* parent = nullptr);

    // The year in which the user must pick (the statement's rate year); 0 leaves the year free.
    void setFixedYear(int rokId);
    int fixedYear() const { return fixedYear_; }
    // The browsing form: "Rodzaje odpadów", no "Wybierz", "Zamknij" that closes as a confirmation;
    // the year is free.
    void setBrowsing(bool browsing);
    bool isBrowsing() const { return browsing_; }

    // Picks a waste type of the year; false when the user gave up or the year lists no waste type.
    static bool Pick(int rokId, TrRodzajOdpadu& rodzaj, QWidget* parent = nullptr);
    // The catalogue browser of the main menu.
    static void Browse(QWidget* parent = nullptr);

    QComboBox* cbxRok() const { return cbxRok_; }
    DataGrid* grdGrupy() const { return grdGrupy_; }
    DataGrid* grdPodgrupy() const { return grdPodgrupy_; }
    DataGrid* grdRodzaje() const { return grdRodzaje_; }
    QPushButton* btnWybierz() const { return btnOK(); }
    // Whether the list is shown as the one that has the focus.
    bool isHighlighted(const DataGrid* grid) const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DataGrid* addList(int column, const char* name, const QList<QPair<QString, QString>>& columns);
    void openLists();
    void openYear(int rokId);
    void onYearChosen(int index);
    void setHighlighted(DataGrid* grid, bool highlighted);

    TdmfDict& dict_;
    QComboBox* cbxRok_ = nullptr;
    DataGrid* grdGrupy_ = nullptr;
    DataGrid* grdPodgrupy_ = nullptr;
    DataGrid* grdRodzaje_ = nullptr;
    int fixedYear_ = 0;
    bool browsing_ = false;
    bool opened_ = false;
    bool filling_ = false;
};
