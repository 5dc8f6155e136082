#include "statements/ui/TZestawienia.h"

#include "platform/data/Connection.h"
#include "statements/TdmfZest.h"
#include "statements/ui/TZestawieniaPoz.h"

#include <QAction>
#include <QMenu>

TZestawienia::TZestawienia(QWidget* parent) : TZestawienia(MainConnection(), parent) {}

TZestawienia::TZestawienia(Connection& connection, QWidget* parent)
    : TbcKsiegaEF(parent), dm_(new TdmfZest(connection, this)) {
    setObjectName(QStringLiteral("TZestawienia"));
    setWindowTitle(QStringLiteral("Zestawienia"));
    ksiegaMenu()->setTitle(QStringLiteral("&Zestawienia"));
    actRefresh()->setText(QStringLiteral("&Odśwież"));

    Query* q = dm_->qryZest();
    // The day of creation is what the register shows; the time is always midnight.
    Field& created = q->field(QStringLiteral("z_dt_utw"));
    if (created.displayFormat().isEmpty())
        created.setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    Bind(dm_, q);
    KsiegaKeyField = QStringLiteral("z_id");

    const struct {
        const char* field;
        const char* title;
    } columns[] = {
        {"rok_nazwa", "Rok"},      {"pr_nazwa", "Półrocze"},          {"pdm_nazwa", "Podmiot"},
        {"pdm_regon", "REGON"},    {"pdm_adres", "Adres podmiotu"},   {"gm_nazwa", "Gmina"},
        {"pow_nazwa", "Powiat"},   {"woj_nazwa", "Województwo"},      {"pdm_telefon_faks", "Telefon/faks"},
        {"z_dt_utw", "Data utw."}, {"stz_nazwa", "Stan zestawienia"}, {"rok_st_opl", "Rok st. opl."},
        {"z_id", "Nr sys."}};
    for (const auto& c : columns)
        grid()->addColumn(QString::fromLatin1(c.field), QString::fromUtf8(c.title));
    CenteredFields =
        QStringList{QStringLiteral("rok_nazwa"), QStringLiteral("pr_nazwa"),   QStringLiteral("pdm_regon"),
                    QStringLiteral("z_dt_utw"),  QStringLiteral("rok_st_opl"), QStringLiteral("z_id")};
}

void TZestawienia::actDodajExecute() {
    AddEntry(new TZestawieniaPoz(this));
}

void TZestawienia::actPoprawExecute() {
    EditEntry(new TZestawieniaPoz(this));
}
