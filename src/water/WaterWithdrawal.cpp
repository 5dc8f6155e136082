#include "water/WaterWithdrawal.h"

#include "forms/DataHelpers.h"
#include "platform/Decimal.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "platform/data/RollUp.h"
#include "platform/data/TableDef.h"
#include "statements/TdmfZest.h"
#include "water/WaterCommon.h"

#include <QSqlQuery>

const WaterWithdrawal::Indicator WaterWithdrawal::kIndicators[17] = {
    {"bzt5", "BZT5:"},
    {"chzt_cr", "ChZT-Cr:"},
    {"zawiesina_og", "Zawiesina ogólna:"},
    {"suma_chl_siarcz", "Suma chlorków i siarczanów:"},
    {"fenole_lotne", "Fenole lotne:"},
    {"metale_ciezkie", "Metale ciężkie:"},
    {"arsen", "Arsen:"},
    {"chrom", "Chrom:"},
    {"cynk", "Cynk:"},
    {"kadm", "Kadm:"},
    {"miedz", "Miedź:"},
    {"nikiel", "Nikiel:"},
    {"olow", "Ołów:"},
    {"rtec", "Rtęć:"},
    {"srebro", "Srebro:"},
    {"wanad", "Wanad:"},
    {"pozostale", "Pozostałe:"},
};

namespace {

QString St(const WaterWithdrawal::Indicator& i) {
    return QStringLiteral("uw_j_%1_st").arg(QString::fromLatin1(i.name));
}
QString Il(const WaterWithdrawal::Indicator& i) {
    return QStringLiteral("uw_j_%1_il").arg(QString::fromLatin1(i.name));
}

const QString kNoRates = QStringLiteral(
    "Dla roku stawek opłat zestawienia nie ma stawek opłat za pobór wody tego rodzaju, więc ujęcie nie "
    "otrzymało wierszy opłat. Po wprowadzeniu stawek można je dodać poleceniem \u201eGeneruj opłaty\u201d.");

} // namespace

WaterWithdrawal::WaterWithdrawal(TdmfZest& dm)
    : QObject(&dm), dm_(dm), qryUjW_(new Query(dm.connection(), this)),
      qryOplUwPodZ_(new Query(dm.connection(), this)), qryOplUwPow_(new Query(dm.connection(), this)),
      qryStUW_(new Query(dm.connection(), this)) {
    Connection& cn = dm.connection();

    // --- intakes
    Query& q = *qryUjW_;
    QString permitColumns;
    for (const char* p : {"pwp1", "pwp2"})
        for (const char* c :
             {"pwp_id", "pwp_numer", "pwp_data_wyd", "pwp_organ_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
            permitColumns += QStringLiteral(", %1.%2 AS %1_%2").arg(QLatin1String(p), QLatin1String(c));
    q.setSql(QStringLiteral("SELECT ujecia_wody.*, rzgw_nazwa, rzgw_wsp_roznicujacy, gm_nazwa, pow_id, "
                            "pow_nazwa, woj_id, woj_nazwa") +
             permitColumns +
             QStringLiteral(" FROM ujecia_wody INNER JOIN rzgw ON rzgw_id = uw_rzgw_id INNER JOIN gminy ON "
                            "gm_id = uw_gm_id INNER JOIN powiaty ON pow_id = gm_pow_id INNER JOIN "
                            "wojewodztwa ON woj_id = pow_woj_id LEFT OUTER JOIN pozwolenia_wp pwp1 ON "
                            "pwp1.pwp_id = uw_1_pwp_id LEFT OUTER JOIN pozwolenia_wp pwp2 ON pwp2.pwp_id = "
                            "uw_2_pwp_id WHERE uw_z_id = :z_id AND uw_tuw_id = :tuw_id ORDER BY uw_id"));
    q.setParam(QStringLiteral("tuw_id"), kTuwPodziemna);
    q.setMaster(dm.qryZest());
    TableDef table{QStringLiteral("ujecia_wody"), QStringLiteral("uw_id"), {}, {}};
    for (const char* c :
         {"uw_z_id", "uw_tuw_id", "uw_rdzuwpw_id", "uw_nazwa", "uw_adres", "uw_gm_id", "uw_rzgw_id",
          "uw_spw_id", "uw_1_pwp_id", "uw_2_pwp_id", "uw_pwp_uzasad", "uw_pbrw_razem", "uw_pbrw_scieki",
          "uw_pbrw_w_zakupiona", "uw_pbrw_sp_z_og_pbr", "uw_pbrw_inny", "uw_kwota"})
        table.columns << QString::fromLatin1(c);
    for (const Indicator& i : kIndicators)
        table.columns << St(i) << Il(i);
    ApplyTableDef(q, table);

    auto label = [&q](const char* name, const char* text) -> Field& {
        return q.field(QString::fromLatin1(name)).setLabel(QString::fromUtf8(text));
    };
    label("uw_id", "Nr sys.").setReadOnly();
    label("uw_nazwa", "Nazwa").setRequired().setSize(40);
    label("uw_adres", "Adres").setRequired().setSize(64);
    label("uw_gm_id", "Gmina").setRequired().setVisible(false);
    label("uw_rzgw_id", "RZGW").setRequired().setVisible(false);
    label("uw_spw_id", "Pozwolenie wodnoprawne/zintegrowane").setRequired().setVisible(false);
    label("uw_pwp_uzasad", "Uzasadnienie").setSize(128);
    label("uw_kwota", "Kwota").setDisplayFormat(QStringLiteral("0.00")).setReadOnly();
    label("gm_nazwa", "Gmina").setReadOnly();
    label("pow_nazwa", "Powiat").setReadOnly();
    label("woj_nazwa", "Województwo").setReadOnly();
    label("rzgw_nazwa", "RZGW").setReadOnly().setSize(40);
    for (const char* p : {"pwp1", "pwp2"})
        for (const char* c : {"pwp_data_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
            q.field(QStringLiteral("%1_%2").arg(QLatin1String(p), QLatin1String(c)))
                .setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    label("uw_pbrw_razem", "Razem:").setReadOnly();
    label("uw_pbrw_scieki", "Ścieki:");
    label("uw_pbrw_w_zakupiona", "Zakupiona:");
    label("uw_pbrw_sp_z_og_pbr", "Pobór ogólny:");
    label("uw_pbrw_inny", "Inny:");
    for (const char* c :
         {"uw_pbrw_razem", "uw_pbrw_scieki", "uw_pbrw_w_zakupiona", "uw_pbrw_sp_z_og_pbr", "uw_pbrw_inny"})
        q.field(QString::fromLatin1(c)).setDisplayFormat(QStringLiteral("0.000"));
    for (const Indicator& i : kIndicators) {
        q.field(St(i)).setLabel(QString::fromUtf8(i.label)).setDisplayFormat(QStringLiteral("0.00000"));
        q.field(Il(i))
            .setLabel(QString::fromUtf8(i.label))
            .setDisplayFormat(QStringLiteral("0.00000"))
            .setReadOnly();
        q.field(St(i)).onChange += [this](Field&) { PrzeliczIlosciSubstancji(); };
    }
    q.field(QStringLiteral("uw_pbrw_scieki")).onChange += [this](Field&) { PrzeliczIlosciSubstancji(); };

    Connection* c = &cn;
    q.afterInsert += [this, c](Query& r) {
        r.fieldByName(QStringLiteral("uw_z_id"))
            .setValue(dm_.qryZest()->fieldByName(QStringLiteral("z_id")).value());
        r.fieldByName(QStringLiteral("uw_tuw_id")).setValue(r.param(QStringLiteral("tuw_id")));
        const int status =
            FirstActiveId(*c, QStringLiteral("spw_id"), QStringLiteral("spw_lp"),
                          QStringLiteral("spw_f_aktualny"), QStringLiteral("statusy_pozwolen_wp"));
        r.fieldByName(QStringLiteral("uw_spw_id")).setValue(status != 0 ? QVariant(status) : QVariant());
    };
    q.beforePost += [](Query& r) {
        for (const Indicator& i : kIndicators)
            if (r.fieldByName(St(i)).asDecimal().isNegative()) {
                AppMessages().error(
                    QStringLiteral("Zawartość substancji w pobranej wodzie nie może być ujemna (%1)")
                        .arg(QString::fromUtf8(i.label).chopped(1)) +
                    QLatin1Char('.'));
                Abort();
            }
    };
    // A corrected water board reaches the surface fee rows, which carry its coefficient.
    q.field(QStringLiteral("uw_rzgw_id")).onChange += [this, c](Field& f) {
        boardChanged_ = true;
        QSqlQuery b =
            c->run(QStringLiteral("SELECT rzgw_nazwa, rzgw_wsp_roznicujacy FROM rzgw WHERE rzgw_id = ?"),
                   {f.value()});
        if (b.next()) {
            f.dataSet().fieldByName(QStringLiteral("rzgw_nazwa")).setValue(b.value(0));
            f.dataSet().fieldByName(QStringLiteral("rzgw_wsp_roznicujacy")).setValue(b.value(1));
        }
    };
    q.afterWrite += [this](Query& r) { applyBoardToFeeRows(r); };
    q.afterPost += [this](Query& r) {
        boardChanged_ = false;
        if (boardRowsRewritten_) {
            boardRowsRewritten_ = false;
            const QVariant key = r.fieldByName(QStringLiteral("uw_id")).value();
            QSqlQuery t = dm_.connection().run(
                QStringLiteral("SELECT uw_kwota FROM ujecia_wody WHERE uw_id = ?"), {key});
            if (t.next())
                r.setStoredValue(QStringLiteral("uw_id"), key, QStringLiteral("uw_kwota"), t.value(0));
            for (Query* fees : {qryOplUwPodZ_, qryOplUwPow_})
                if (fees->isActive())
                    RefreshKeepKey(*fees, QStringLiteral("opw_id"));
        }
        dm_.ZawartoscZmieniona();
    };
    q.afterCancel += [this](Query&) { boardChanged_ = false; };
    q.afterDelete += [this](Query&) { dm_.ZawartoscZmieniona(); };

    // --- fee rows
    setUpFeeList(*qryOplUwPodZ_, false);
    setUpFeeList(*qryOplUwPow_, true);

    // --- rates of one type and year
    qryStUW_->setSql(
        QStringLiteral("SELECT spw_nazwa, spw_stawka FROM stawki_pw WHERE spw_tuw_id = :tuw_id "
                       "AND spw_rok_id = :rok_id AND spw_f_aktualny = 1 ORDER BY spw_poz_wydr ASC"));
}

void WaterWithdrawal::setUpFeeList(Query& fees, bool withBoard) {
    fees.setSql(QStringLiteral("SELECT * FROM oplaty_pw WHERE opw_uw_id = :uw_id ORDER BY opw_id"));
    fees.setMaster(qryUjW_);
    ApplyTableDef(fees, TableDef{QStringLiteral("oplaty_pw"),
                                 QStringLiteral("opw_id"),
                                 {QStringLiteral("opw_uw_id"), QStringLiteral("opw_nazwa"),
                                  QStringLiteral("opw_ilosc"), QStringLiteral("opw_wsp_rozn"),
                                  QStringLiteral("opw_wsp_rozn_rzgw"), QStringLiteral("opw_jedn_stawka_opl"),
                                  QStringLiteral("opw_stawka_oplaty"), QStringLiteral("opw_kwota")},
                                 {}});
    auto label = [&fees](const char* name, const char* text, const char* format) -> Field& {
        return fees.field(QString::fromLatin1(name))
            .setLabel(QString::fromUtf8(text))
            .setDisplayFormat(QString::fromLatin1(format))
            .setReadOnly();
    };
    label("opw_nazwa", "Kod opłaty", "");
    label("opw_ilosc", "Ilość [m3]", "0.000").setReadOnly(false);
    label("opw_wsp_rozn", "Wsp. różnicujący", "0.00000");
    label("opw_wsp_rozn_rzgw", "Wsp. różn. RZGW", "0.00000").setVisible(withBoard);
    label("opw_jedn_stawka_opl", "Jedn. st. opł. [zł]", "0.000,");
    label("opw_stawka_oplaty", withBoard ? "Stawka opł. [zł]" : "Stawka opłaty [zł]", "0.000,");
    label("opw_kwota", "Wysokość opłaty [zł]", "0.00,");
    label("opw_id", "Nr sys.", "");
    label("opw_uw_id", "Id ujęcia", "").setVisible(false);

    auto compute = [this, withBoard](Field& f) { computeFee(f.dataSet(), withBoard); };
    fees.field(QStringLiteral("opw_ilosc")).onChange += compute;
    fees.field(QStringLiteral("opw_wsp_rozn")).onChange += compute;
    if (withBoard)
        fees.field(QStringLiteral("opw_wsp_rozn_rzgw")).onChange += compute;

    // The intake's fee and quantity are the sums of its stored rows.
    AttachRollUp(fees, QStringLiteral("oplaty_pw"),
                 {RollUpLevel{QStringLiteral("ujecia_wody"),
                              QStringLiteral("uw_id"),
                              QStringLiteral("uw_kwota"),
                              QStringLiteral("opw_uw_id"),
                              QStringLiteral("opw_kwota"),
                              qryUjW_,
                              {}}});
    AttachRollUp(fees, QStringLiteral("oplaty_pw"),
                 {RollUpLevel{QStringLiteral("ujecia_wody"),
                              QStringLiteral("uw_id"),
                              QStringLiteral("uw_pbrw_razem"),
                              QStringLiteral("opw_uw_id"),
                              QStringLiteral("opw_ilosc"),
                              qryUjW_,
                              {}}});
}

void WaterWithdrawal::computeFee(Query& fees, bool withBoard) {
    Decimal rate = fees.fieldByName(QStringLiteral("opw_jedn_stawka_opl")).asDecimal() *
                   fees.fieldByName(QStringLiteral("opw_wsp_rozn")).asDecimal();
    if (withBoard)
        rate *= fees.fieldByName(QStringLiteral("opw_wsp_rozn_rzgw")).asDecimal();
    const Decimal quantity = fees.fieldByName(QStringLiteral("opw_ilosc")).asDecimal();
    fees.fieldByName(QStringLiteral("opw_stawka_oplaty")).setDecimal(RoundForStorage(rate, 6));
    fees.fieldByName(QStringLiteral("opw_kwota")).setDecimal(RoundForStorage(quantity * rate));
}

void WaterWithdrawal::applyBoardToFeeRows(Query& intakes) {
    if (!boardChanged_ || intakes.state() != DataSetState::Edit ||
        intakes.fieldByName(QStringLiteral("uw_tuw_id")).asInteger() != kTuwPowierzchniowa)
        return;
    Connection& cn = dm_.connection();
    const QVariant key = intakes.fieldByName(QStringLiteral("uw_id")).value();
    const Decimal board = intakes.fieldByName(QStringLiteral("rzgw_wsp_roznicujacy")).asDecimal();
    struct Row {
        QVariant id;
        Decimal quantity, coefficient, unitRate;
    };
    QList<Row> rows;
    {
        QSqlQuery r =
            cn.run(QStringLiteral("SELECT opw_id, opw_ilosc, opw_wsp_rozn, opw_jedn_stawka_opl FROM "
                                  "oplaty_pw WHERE opw_uw_id = ?"),
                   {key});
        while (r.next())
            rows.append({r.value(0), Decimal::fromVariant(r.value(1)), Decimal::fromVariant(r.value(2)),
                         Decimal::fromVariant(r.value(3))});
    }
    for (const Row& row : rows) {
        const Decimal rate = board * row.coefficient * row.unitRate;
        cn.run(
            QStringLiteral("UPDATE oplaty_pw SET opw_wsp_rozn_rzgw = ?, opw_stawka_oplaty = ?, opw_kwota = ? "
                           "WHERE opw_id = ?"),
            {board.toVariant(), RoundForStorage(rate, 6).toVariant(),
             RoundForStorage(row.quantity * rate).toVariant(), row.id});
    }
    cn.run(
        QStringLiteral("UPDATE ujecia_wody SET uw_kwota = (SELECT COALESCE(SUM(opw_kwota), 0) FROM oplaty_pw "
                       "WHERE opw_uw_id = ?) WHERE uw_id = ?"),
        {key, key});
    boardRowsRewritten_ = true;
}

void WaterWithdrawal::setTypUjecia(int tuwId) {
    CloseIfOpen(qryUjW_);
    qryUjW_->setParam(QStringLiteral("tuw_id"), tuwId);
}

int WaterWithdrawal::typUjecia() const {
    return qryUjW_->param(QStringLiteral("tuw_id")).toInt();
}

void WaterWithdrawal::PrzeliczIlosciSubstancji() {
    Query& q = *qryUjW_;
    const Decimal sewage = q.fieldByName(QStringLiteral("uw_pbrw_scieki")).asDecimal();
    // mg/dm3 is g/m3: times the cubic metres that became sewage, over 1000, gives kilograms.
    for (const Indicator& i : kIndicators)
        q.fieldByName(Il(i)).setDecimal(
            RoundForStorage(q.fieldByName(St(i)).asDecimal() * sewage * Decimal(1, 3), 5));
}

int WaterWithdrawal::LiczbaOplat() const {
    const QVariant key =
        qryUjW_->isActive() ? qryUjW_->fieldByName(QStringLiteral("uw_id")).value() : QVariant();
    if (key.isNull())
        return 0;
    return CountRows(dm_.connection(), QStringLiteral("SELECT COUNT(*) FROM oplaty_pw WHERE opw_uw_id = ?"),
                     key);
}

int WaterWithdrawal::GenerujOplaty() {
    const int tuwId = typUjecia();
    Query& fees = *feeList(tuwId);
    Query& intake = *qryUjW_;
    const QVariant key = intake.fieldByName(QStringLiteral("uw_id")).value();
    if (key.isNull())
        return 0;
    OpenIfClosed(&fees);
    Query& rates = *qryStUW_;
    CloseIfOpen(&rates);
    rates.setParam(QStringLiteral("tuw_id"), tuwId);
    rates.setParam(QStringLiteral("rok_id"), dm_.RokStOplId());
    int made = 0;
    try {
        // Every row or none: an intake never keeps part of its rows.
        Connection::Transaction transaction(dm_.connection());
        rates.open();
        for (rates.first(); !rates.eof(); rates.next()) {
            fees.append();
            fees.fieldByName(QStringLiteral("opw_uw_id")).setValue(key);
            fees.fieldByName(QStringLiteral("opw_nazwa"))
                .setValue(rates.fieldByName(QStringLiteral("spw_nazwa")).value());
            fees.fieldByName(QStringLiteral("opw_jedn_stawka_opl"))
                .setValue(rates.fieldByName(QStringLiteral("spw_stawka")).value());
            if (tuwId == kTuwPowierzchniowa)
                fees.fieldByName(QStringLiteral("opw_wsp_rozn_rzgw"))
                    .setValue(intake.fieldByName(QStringLiteral("rzgw_wsp_roznicujacy")).value());
            fees.post();
            ++made;
        }
        transaction.commit();
    } catch (...) {
        fees.cancel();
        rates.close();
        RefreshKeepKey(*qryUjW_, QStringLiteral("uw_id"));
        if (fees.isActive())
            fees.refresh();
        throw;
    }
    rates.close();
    fees.first();
    return made;
}

bool WaterWithdrawal::PoZapisieNowegoUjecia() {
    try {
        RefreshKeepKey(*qryUjW_, QStringLiteral("uw_id"));
    } catch (const DataError&) {
        qryUjW_->cancel();
        return false;
    }
    if (GenerujOplaty() == 0)
        AppMessages().warning(kNoRates);
    return true;
}

void WaterWithdrawal::DodajOplatyUjecia() {
    Query& intake = *qryUjW_;
    if (!intake.isActive() || intake.isEmpty())
        return;
    if (intake.isEditing())
        intake.post();
    if (intake.fieldByName(QStringLiteral("uw_id")).isNull())
        return;
    if (LiczbaOplat() > 0) {
        AppMessages().error(QStringLiteral("To ujęcie posiada już wygenerowane opłaty."));
        return;
    }
    if (GenerujOplaty() == 0)
        AppMessages().warning(kNoRates);
}

void WaterWithdrawal::UstawWspRozn(double value) {
    Query& fees = *feeList(typUjecia());
    if (!fees.isActive() || fees.isEmpty())
        return;
    EnsureEdit(&fees);
    fees.fieldByName(QStringLiteral("opw_wsp_rozn")).setValue(value);
}

void WaterWithdrawal::WstawPozwolenie(int n, const Query& permits) {
    UsunPozwolenie(n);
    Query& q = *qryUjW_;
    const QString prefix = QStringLiteral("pwp%1_").arg(n);
    for (const char* c :
         {"pwp_id", "pwp_numer", "pwp_data_wyd", "pwp_organ_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
        q.fieldByName(prefix + QLatin1String(c))
            .setValue(permits.fieldByName(QString::fromLatin1(c)).value());
    q.fieldByName(QStringLiteral("uw_%1_pwp_id").arg(n))
        .setValue(permits.fieldByName(QStringLiteral("pwp_id")).value());
}

void WaterWithdrawal::UsunPozwolenie(int n) {
    Query& q = *qryUjW_;
    if (!q.isActive() || q.isEmpty())
        return;
    EnsureEdit(&q);
    const QString prefix = QStringLiteral("pwp%1_").arg(n);
    for (const char* c :
         {"pwp_id", "pwp_numer", "pwp_data_wyd", "pwp_organ_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
        q.fieldByName(prefix + QLatin1String(c)).clear();
    q.fieldByName(QStringLiteral("uw_%1_pwp_id").arg(n)).clear();
}
