#pragma once

#include "dict/TrLokalizacja.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "statements/TrPodmiot.h"

#include <QObject>

#include <optional>
#include <utility>

// The statements and, linked master to detail, every list of a statement's content. One instance
// belongs to each open statement register; the statement window and every fee window work on it.
class TdmfZest : public QObject {
    Q_OBJECT
public:
    explicit TdmfZest(Connection& connection = MainConnection(), QObject* parent = nullptr);

    Connection& connection() const { return connection_; }

    // --- the statements: each joined to its year, half-year, entity with its seat, state and rate year
    Query* qryZest() const { return qryZest_; }

    // --- the statement's content (Tables A to D, water, sewage, waste, collective summaries and
    // annex 2): the lists of one kind of fees form a part of this module, made on first use as its
    // child, as details of qryZest or of another list of the module. `Part` is a QObject whose
    // constructor takes the module (`explicit Part(TdmfZest& dm)`, parented to it).
    template <class Part> Part& content() {
        if (Part* part = findChild<Part*>(QString(), Qt::FindDirectChildrenOnly))
            return *part;
        return *new Part(*this);
    }

    // Location transfer of a place of use: the location of the current row of a content list (its
    // commune key and address columns, with woj_id, woj_nazwa, pow_id, pow_nazwa and gm_nazwa), and
    // the same written back (the row is put into editing).
    static void ReadLocation(const Query& list, const QString& communeField, const QString& addressField,
                             TrLokalizacja& location);
    static void WriteLocation(Query& list, const QString& communeField, const QString& addressField,
                              const TrLokalizacja& location);

    // The rate year (`z_rok_st_opl_id`) of the current statement; 0 when there is none.
    int RokStOplId() const;

    // True when no installation, Table B or C location, Table D fee, water intake, sewage receiver
    // or storage site belongs to the statement (collective summaries do not count).
    bool ZestawienieJestPuste(int zId) const;

    // The rate-year lock: true while the current statement has content (as above), so that its rate
    // year can no longer change. Asked on every change of the statement window, it runs one query per
    // statement and remembers the answer until `ZawartoscZmieniona` says content was added or removed.
    bool RokStOplZablokowany();
    void ZawartoscZmieniona();

    // The entity header of a statement, found by the statement or by one of its collective summaries.
    TrPodmiot PodmiotZestawienia(int zId) const;
    TrPodmiot PodmiotZestawieniaZbiorczego(int zzbId) const;

    // Makes the picked entity the current statement's: the row is put into editing, `z_pdm_id` takes
    // the entity's key and the display fields its name, address, REGON, telephone/fax and seat, so
    // that the statement window shows it before anything is saved.
    void SetPodmiot(const TrPodmiot& podmiot, const TrLokalizacja& siedziba);
    // The same from the current row of an entity list (`TdmfPodmioty::qryPodmioty`).
    void SetPodmiot(const Query& podmioty);
    // Empties the entity of the current statement (the row is put into editing).
    void ClearPodmiot();

private:
    TrPodmiot LookUpPodmiot(const QString& sql, const QString& param, int key) const;

    Connection& connection_;
    Query* qryZest_;
    std::pair<int, std::optional<bool>> lockCache_; // statement key, whether it has content
};
