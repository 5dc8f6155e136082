#pragma once

// A statement of one entity on a fresh version-7 database, with the air content module and small
// steps that fill Tables A to D the way the windows do.

#include "air/TdmfZestAir.h"
#include "platform/data/Query.h"
#include "statements/TdmfZest.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>

#include <memory>

class AirFixture {
public:
    // A saved statement whose rate year is `rateYear` (1001 for 2011, 1002 for 2012).
    void setUp(int rateYear = 1002) {
        db_ = std::make_unique<TestDatabase>();
        db_->createAtVersion(7);
        messages = std::make_unique<ScopedScriptedMessages>();
        dm = std::make_unique<TdmfZest>(db_->connection());
        cn().run(QStringLiteral(
            "INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_regon, "
            "pdm_telefon_faks, pdm_f_aktualny) SELECT 2001, MAX(gm_id), 'Huta', 'ul. Hutnicza 1', "
            "'271234567', '32 123 45 67', 1 FROM gminy"));
        Query& z = *dm->qryZest();
        z.open();
        z.insert();
        z.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
        z.fieldByName(QStringLiteral("z_rok_st_opl_id")).setValue(rateYear);
        z.post();
        zId = int(z.fieldByName(QStringLiteral("z_id")).asInteger());
        air = &dm->content<TdmfZestAir>();
    }
    void tearDown() {
        air = nullptr;
        dm.reset();
        messages.reset();
        db_.reset();
    }

    Connection& cn() { return db_->connection(); }
    TestDatabase& db() { return *db_; }
    QVariant value(const QString& sql) { return cn().selectValue(sql); }
    int gmId() { return value(QStringLiteral("SELECT MIN(gm_id) FROM gminy")).toInt(); }
    int sotgId(int rokId, int item) {
        return value(QStringLiteral(
                         "SELECT sotg_id FROM so_tabela_g WHERE sotg_rok_id = %1 AND sotg_poz_wydr = %2")
                         .arg(rokId)
                         .arg(item))
            .toInt();
    }

    // --- Table A
    int addInstallation(const QString& kind, int status = 0) {
        Query& q = *air->qryInstDz();
        if (!q.isActive())
            q.open();
        q.append();
        q.fieldByName(QStringLiteral("ild_rodzaj")).setValue(kind);
        q.fieldByName(QStringLiteral("ild_adres")).setValue(QStringLiteral("ul. Piecowa ") + kind);
        q.fieldByName(QStringLiteral("ild_gm_id")).setValue(gmId());
        if (status != 0)
            q.fieldByName(QStringLiteral("ild_spwgp_id")).setValue(status);
        q.post();
        return int(q.fieldByName(QStringLiteral("ild_id")).asInteger());
    }
    int addSource(const QString& name) {
        Query& q = *air->qryZrWprSubst();
        if (!q.isActive())
            q.open();
        q.append();
        q.fieldByName(QStringLiteral("zws_nazwa")).setValue(name);
        q.post();
        if (!air->qryOplTA()->isActive())
            air->qryOplTA()->open();
        return int(q.fieldByName(QStringLiteral("zws_id")).asInteger());
    }
    // Types a value into a field of the current row and saves it, as a grid cell does.
    static void type(Query& q, const QString& field, const QString& text) {
        if (!q.isEditing())
            q.edit();
        q.fieldByName(field).setText(text);
        q.post();
    }

    // --- Tables B and C: a new place as the windows add it.
    void addPlace(Query& places, const char* communeField, const char* addressField, const QString& address) {
        if (!places.isActive())
            places.open();
        places.append();
        places.fieldByName(QString::fromLatin1(communeField)).setValue(gmId());
        places.fieldByName(QString::fromLatin1(addressField)).setValue(address);
        places.post();
    }

    std::unique_ptr<ScopedScriptedMessages> messages;
    std::unique_ptr<TdmfZest> dm;
    TdmfZestAir* air = nullptr;
    int zId = 0;

private:
    std::unique_ptr<TestDatabase> db_;
};
