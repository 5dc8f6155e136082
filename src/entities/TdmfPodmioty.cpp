#include "entities/TdmfPodmioty.h"

#include "dict/DictQuery.h"
#include "dict/LocationTransfer.h"
#include "forms/DataHelpers.h"
#include "platform/Messages.h"
#include "platform/data/TableDef.h"

TdmfPodmioty::TdmfPodmioty(Connection& connection, QObject* parent)
    : QObject(parent), connection_(connection), qryPodmioty_(new Query(connection, this)) {
    Query& q = *qryPodmioty_;
    q.setSql(QStringList{
        QStringLiteral("SELECT podmioty.*, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa"),
        QStringLiteral("FROM podmioty"), QStringLiteral("INNER JOIN gminy ON gm_id = pdm_gm_id"),
        QStringLiteral("INNER JOIN powiaty ON pow_id = gm_pow_id"),
        QStringLiteral("INNER JOIN wojewodztwa ON woj_id = pow_woj_id"),
        QStringLiteral("WHERE (pdm_f_aktualny = :f_aktualny_1) OR (pdm_f_aktualny = :f_aktualny_2)")});
    SetActiveFilter(q, FilterActive);

    ApplyTableDef(q, TableDef{QStringLiteral("podmioty"),
                              QStringLiteral("pdm_id"),
                              {QStringLiteral("pdm_gm_id"), QStringLiteral("pdm_nazwa"),
                               QStringLiteral("pdm_adres"), QStringLiteral("pdm_regon"),
                               QStringLiteral("pdm_telefon_faks"), QStringLiteral("pdm_f_aktualny")},
                              {}});

    q.field(QStringLiteral("pdm_nazwa")).setLabel(QStringLiteral("Nazwa")).setSize(128).setRequired();
    q.field(QStringLiteral("pdm_adres")).setLabel(QStringLiteral("Adres")).setSize(64);
    q.field(QStringLiteral("pdm_regon")).setLabel(QStringLiteral("REGON")).setSize(14);
    q.field(QStringLiteral("pdm_telefon_faks")).setLabel(QStringLiteral("Telefon/faks")).setSize(40);
    q.field(QStringLiteral("gm_nazwa")).setLabel(QStringLiteral("Gmina")).setReadOnly();
    q.field(QStringLiteral("pow_nazwa")).setLabel(QStringLiteral("Powiat")).setReadOnly();
    q.field(QStringLiteral("woj_nazwa")).setLabel(QStringLiteral("Województwo")).setReadOnly();
    q.field(QStringLiteral("pdm_id")).setLabel(QStringLiteral("Nr sys.")).setReadOnly();
    q.field(QStringLiteral("pdm_f_aktualny")).setLabel(QStringLiteral("Aktualny")).setVisible(false);
    q.field(QStringLiteral("pdm_gm_id")).setLabel(QStringLiteral("Gmina")).setVisible(false);
    q.field(QStringLiteral("pow_id")).setVisible(false).setReadOnly();
    q.field(QStringLiteral("woj_id")).setVisible(false).setReadOnly();
    AddCalcField(q, QStringLiteral("clc_f_aktualny"), FieldType::String, 1, QStringLiteral("Aktualny"),
                 [](const Query& r) -> QVariant {
                     return FlagText(r.fieldByName(QStringLiteral("pdm_f_aktualny")).asInteger() != 0);
                 });

    WireRecordErrors(q, QStringLiteral("Podmiotu"), QStringLiteral("Podmiot"));

    q.afterInsert += [](Query& r) {
        r.fieldByName(QStringLiteral("pdm_f_aktualny")).setValue(1);
        // No commune yet: the location is chosen in the edit window and checked before saving.
        r.fieldByName(QStringLiteral("pdm_gm_id")).setValue(0);
    };
    q.beforePost += [](Query& r) {
        if (r.fieldByName(QStringLiteral("pdm_gm_id")).asInteger() == 0) {
            AppMessages().error(
                QStringLiteral("Podmiot musi mieć określoną lokalizację (województwo, powiat, gmina)."));
            Abort();
        }
    };
}

void TdmfPodmioty::ReadLocation(TrLokalizacja& location) const {
    // An entity's seat has no address of its own beside the entity's.
    ::ReadLocation(*qryPodmioty_, QStringLiteral("pdm_gm_id"), QString(), location);
}

void TdmfPodmioty::WriteLocation(const TrLokalizacja& location) {
    ::WriteLocation(*qryPodmioty_, QStringLiteral("pdm_gm_id"), QString(), location);
}
