#pragma once

#include "print/TbcPrint.h"
#include "statements/TrPodmiot.h"

// The printouts of the statement as a whole: the collective summary of one voivodeship and the
// head of annex 2 (the places where gases or dust are emitted in one voivodeship). Both are headed
// by the entity and the statement's year and half-year.
class TprtStatementForm : public TbcPrint {
    Q_OBJECT
public:
    using TbcPrint::TbcPrint;
    void SetPodmiot(const TrPodmiot& podmiot) { podmiot_ = podmiot; }
    void SetRokPolrocze(const QString& rok, const QString& polrocze) {
        rok_ = rok;
        polrocze_ = polrocze;
    }

protected:
    QVariant reportVariable(const QString& name) const override;

private:
    TrPodmiot podmiot_;
    QString rok_;
    QString polrocze_;
};

// "Zestawienie zbiorcze": the items of one summary in the templates' print order.
class TprtZestZb : public TprtStatementForm {
    Q_OBJECT
public:
    explicit TprtZestZb(Connection& connection, QObject* parent = nullptr);
    void SetZestZb(int zzbId);

protected:
    ReportLayout layout() const override;
};

// "Załącznik 2": the places of one voivodeship of the statement.
class TprtZal2 : public TprtStatementForm {
    Q_OBJECT
public:
    explicit TprtZal2(Connection& connection, QObject* parent = nullptr);
    void SetZestWoj(int zId, int wojId);

protected:
    ReportLayout layout() const override;
};
