#include "dict/LocationTransfer.h"

#include "platform/data/Query.h"

void ReadLocation(const Query& list, const QString& communeField, const QString& addressField,
                  TrLokalizacja& location) {
    auto text = [&list](const QString& name) { return list.fieldByName(name).asString(); };
    auto key = [&list](const QString& name) { return int(list.fieldByName(name).asInteger()); };
    location.wojId = key(QStringLiteral("woj_id"));
    location.wojNazwa = text(QStringLiteral("woj_nazwa"));
    location.powId = key(QStringLiteral("pow_id"));
    location.powNazwa = text(QStringLiteral("pow_nazwa"));
    location.gmId = key(communeField);
    location.gmNazwa = text(QStringLiteral("gm_nazwa"));
    if (!addressField.isEmpty())
        location.adres = text(addressField);
}

void WriteLocation(Query& list, const QString& communeField, const QString& addressField,
                   const TrLokalizacja& location) {
    if (!list.isActive())
        list.open();
    if (!list.isEditing())
        list.edit();
    list.fieldByName(QStringLiteral("woj_id")).setValue(location.wojId);
    list.fieldByName(QStringLiteral("woj_nazwa")).setValue(location.wojNazwa);
    list.fieldByName(QStringLiteral("pow_id")).setValue(location.powId);
    list.fieldByName(QStringLiteral("pow_nazwa")).setValue(location.powNazwa);
    list.fieldByName(communeField).setValue(location.gmId);
    list.fieldByName(QStringLiteral("gm_nazwa")).setValue(location.gmNazwa);
    if (!addressField.isEmpty())
        list.fieldByName(addressField).setValue(location.adres);
}
