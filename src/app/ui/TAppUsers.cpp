#include "app/ui/TAppUsers.h"

#include "app/AppUser.h"
#include "app/TdmfAppUsers.h"
#include "app/ui/TAppUser.h"
#include "app/ui/TUprawnUzytkow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QToolBar>

TAppUsers::TAppUsers(QWidget* parent) : TbcDictT2(parent), users_(new TdmfAppUsers(MainConnection(), this)) {
    setObjectName(QStringLiteral("TAppUsers"));
    setWindowTitle(QStringLiteral("Użytkownicy aplikacji"));
    dictMenu()->setTitle(QStringLiteral("&Użytkownicy"));
    FilterMode = FilterNone;
    KeyField = QStringLiteral("AU_ID");
    CenteredFields = QStringList{QStringLiteral("clc_active"), QStringLiteral("clc_administrator"),
                                 QStringLiteral("clc_f_jest_pw")};
    dsMain->setDataSet(users_->qryAppUsers());
    addColumn(QStringLiteral("AU_LOGIN"), QStringLiteral("Kod użytkownika"));
    addColumn(QStringLiteral("AU_FIRST_NAME"), QStringLiteral("Imię"));
    addColumn(QStringLiteral("AU_LAST_NAME"), QStringLiteral("Nazwisko"));
    addColumn(QStringLiteral("AU_BUSINESS_ROLE"), QStringLiteral("Funkcja"));
    addColumn(QStringLiteral("clc_active"), QStringLiteral("Aktywny"));
    addColumn(QStringLiteral("clc_administrator"), QStringLiteral("Administrator"));
    addColumn(QStringLiteral("clc_f_jest_pw"), QStringLiteral("Ust. hasło"));
    addColumn(QStringLiteral("AU_NOTE"), QStringLiteral("Uwagi"));
    addColumn(QStringLiteral("AU_ID"), QStringLiteral("Nr sys."));
    QPalette palette = grid()->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    grid()->setPalette(palette);
    grid()->setSortMode(DataGrid::SortMode::SingleColumn);

    actDodaj->setToolTip(QStringLiteral("Dodaj użytkownika"));
    actPopraw->setToolTip(QStringLiteral("Popraw dane użytkownika"));
    actAUUsun->setToolTip(QStringLiteral("Usuń użytkownika"));
    actPopraw->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    actUstawAktywny->setVisible(false);
    actUstawAktywny->setEnabled(false);

    actPost = makeAction(QStringLiteral("actPost"), QStringLiteral("&Zapisz"),
                         QStringLiteral("Zapisz użytkownika"), QKeySequence(QStringLiteral("Ctrl+Z")));
    // No shortcut: Ctrl+V belongs to "Wkl&ej" of the main menu.
    actPodglad = makeAction(QStringLiteral("actPodglad"), QStringLiteral("Da&ne pojazdu"),
                            QStringLiteral("Przeglądaj dane użytkownika"));
    actUprawnienia = makeAction(QStringLiteral("actUprawnienia"), QStringLiteral("U&prawnienia"),
                                QStringLiteral("Uprawnienia użytkownika"));
    insertEditAction(actPost);
    insertEditAction(actPodglad);
    insertEditAction(actUprawnienia);
    connect(actPost, &QAction::triggered, this, [this] { runCommand([this] { PostIfEditing(*dsMain); }); });
    connect(actPodglad, &QAction::triggered, this, [this] { openUser(true); });
    connect(actUprawnienia, &QAction::triggered, this, [this] {
        Query* q = dsMain->dataSet();
        if (!q || !q->isActive() || q->isEmpty())
            return;
        auto* rights =
            new TUprawnUzytkow(int(q->fieldByName(QStringLiteral("AU_ID")).asInteger()),
                               ShortName(q->fieldByName(QStringLiteral("AU_FIRST_NAME")).asString(),
                                         q->fieldByName(QStringLiteral("AU_LAST_NAME")).asString()),
                               this);
        rights->show();
    });
    auto followRows = [this] {
        const Query* q = dsMain->dataSet();
        const bool any = q && q->isActive() && !q->isEmpty();
        actPodglad->setEnabled(any);
        actUprawnienia->setEnabled(any);
        actPost->setEnabled(q && q->isEditing());
    };
    connect(users_->qryAppUsers(), &Query::stateChanged, this, followRows);
    connect(users_->qryAppUsers(), &Query::dataSetChanged, this, followRows);
    followRows();
}

TAppUsers::~TAppUsers() = default;

void TAppUsers::actDodajExecute() {
    if (runCommand([this] { dsMain->dataSet()->insert(); }))
        openUser(false);
}

void TAppUsers::actPoprawExecute() {
    Query* q = dsMain->dataSet();
    if (!q || q->isEmpty())
        return;
    if (runCommand([q] { EnsureEdit(q); }))
        openUser(false);
}

void TAppUsers::openUser(bool viewOnly) {
    Query* q = dsMain->dataSet();
    if (viewOnly && (!q || q->isEmpty()))
        return;
    auto* dialog = new TAppUser(*users_, viewOnly, this);
    dialog->exec();
}

void TAppUsers::closeEvent(QCloseEvent* event) {
    TbcDictT2::closeEvent(event);
    if (event->isAccepted())
        CloseIfOpen(*dsMain);
}
