#include "forms/ui/TbcDictT1.h"

#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"

#include <QAction>

TbcDictT1::TbcDictT1(QWidget* parent) : TbcDictBrowser(parent) {
    actPost = makeAction(QStringLiteral("actPost"), QStringLiteral("&Zapisz"),
                         QStringLiteral("Zapisz w bazie danych"), QKeySequence(QStringLiteral("Ctrl+Z")));
    actCancel = makeAction(QStringLiteral("actCancel"), QStringLiteral("&Anuluj"),
                           QStringLiteral("Anuluj zmiany"), QKeySequence(QStringLiteral("Ctrl+Alt+C")));
    insertEditAction(actPost);
    insertEditAction(actCancel);
    connect(actPost, &QAction::triggered, this, [this] { runCommand([this] { PostIfEditing(*dsMain); }); });
    connect(actCancel, &QAction::triggered, this, [this] {
        grid()->discardEditor();
        runCommand([this] { CancelIfEditing(*dsMain); }, false);
    });
    grid()->setInPlaceEditing(true);
    auto* link = new DataSourceLink(*dsMain, this);
    for (auto signal : {&DataSourceLink::dataSetChanged, &DataSourceLink::stateChanged})
        connect(link, signal, this, &TbcDictT1::updateEditActions);
    updateEditActions();
}

void TbcDictT1::updateEditActions() {
    const Query* q = dsMain->dataSet();
    const bool editing = q && q->isEditing();
    actPost->setEnabled(editing);
    actCancel->setEnabled(editing);
}

void TbcDictT1::showing() {
    SetActiveFilter(*dsMain, effectiveFilterMode());
    DataGrid* g = grid();
    g->centerTitles();
    for (int c = 0; c < g->gridModel().columnCount(); ++c) {
        const QString field = g->columnField(c);
        const bool isFlag = !FlagField.isEmpty() && field.compare(FlagField, Qt::CaseInsensitive) == 0;
        const bool isId = !IdField.isEmpty() && field.compare(IdField, Qt::CaseInsensitive) == 0;
        if (isFlag || isId)
            g->setColumnReadOnly(c, true);
        if (isFlag)
            g->setColumnCentered(c, true);
    }
    OpenIfClosed(*dsMain);
    g->fitColumns();
    g->SortByColumn(0, false);
    setSearchColumn(0);
    if (Query* q = dsMain->dataSet(); q && q->isActive())
        q->first();
}

bool TbcDictT1::closeQuery() {
    // A pending edit is saved first; a refused save keeps the window open with the row in editing.
    return runCommand([this] { PostIfEditing(*dsMain); });
}

void TbcDictT1::actDodajExecute() {
    runCommand([this] {
        Query* q = dsMain->dataSet();
        if (!q)
            return;
        OpenIfClosed(q);
        q->insert();
        if (const int column = grid()->firstEditableColumn(); column >= 0)
            grid()->setCurrentIndex(grid()->gridModel().index(q->recNo(), column));
        grid()->setFocus();
    });
}

void TbcDictT1::actPoprawExecute() {
    runCommand([this] {
        EnsureEdit(*dsMain);
        grid()->editCurrentCell();
    });
}
