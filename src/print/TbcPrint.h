#pragma once

#include "platform/report/PreparedReport.h"
#include "platform/report/ReportLayout.h"

#include <QObject>
#include <QVariant>

#include <map>
#include <memory>

class Connection;
class Query;

// The three header lines printed at the top of every printout. Nothing in the program fills them,
// so they print empty; a record whose three lines are blank counts as cleared.
struct TrNagWyd {
    QString HdrLn1;
    QString HdrLn2;
    QString HdrLn3;
    bool isBlank() const;
    void clear() { *this = TrNagWyd(); }
};

// A printout: its main query on the program's connection, the detail queries its layout names, its
// variables and its layout. The dialog and the command line both prepare it through here, so what
// the preview shows, the printer prints and the PDF file holds are the same pages.
class TbcPrint : public QObject {
    Q_OBJECT
public:
    explicit TbcPrint(Connection& connection, QObject* parent = nullptr);
    ~TbcPrint() override;

    Query& qryMain() { return *qryMain_; }
    QString caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }
    TrNagWyd& header() { return header_; }

    // A detail query, named as its layout's detail band names it; a detail of the main query
    // unless the printout links it otherwise.
    Query& addDetail(const QString& name, const QHash<QString, QString>& paramToField = {});

    // Just before the main query opens; the concrete printouts set their parameters earlier.
    virtual void SetReportParams(Query& query);
    // Re-opens the main query with the current parameters and reads all its rows.
    void OpenReportData();
    void CloseReportData();
    bool hasRows() const;

    // A variable by name: the base's (AppNameForPrt, HdrLn1..3) first, then the printout's own; an
    // invalid value when nobody knows the name.
    QVariant variable(const QString& name) const;

    // Re-reads the rows and lays out the pages; false (and no pages) when the query has no rows.
    bool Prepare(PreparedReport* report);

    static QString NoDataMessage() {
        return QStringLiteral("Nie znaleziono danych dla zadanych parametrów wydruku.");
    }

protected:
    // The printout's own variables ("Gmina", "Rok", ...): invalid for names it does not know.
    virtual QVariant reportVariable(const QString& name) const;
    // The layout, asked afresh for every preparation.
    virtual ReportLayout layout() const = 0;

private:
    Connection& connection_;
    std::unique_ptr<Query> qryMain_;
    std::map<QString, std::unique_ptr<Query>> details_;
    QString caption_ = QStringLiteral("Parametry wydruku ...");
    TrNagWyd header_;
};

// Pieces shared by every layout.
namespace ReportParts {
// The header band: HdrLn1 to HdrLn3 side by side at the top of every page.
void AddHeaderLines(ReportLayout& layout);
// The head of an annex form, printed once: the list's title centred, the framed title row with
// "rok: " and the year and half-year on its right, the italic entity caption and the entity's
// name, address, REGON and telephone/fax in framed cells that grow with their texts (variables
// Rok, Polrocze, PdmNazwa, PdmAdres, PdmRegon, PdmTelFaks).
void AddFormHead(ReportLayout& layout, const QString& listTitle, const QString& formTitle);
// Column headings repeated on every page.
void AddColumnHeadings(ReportLayout& layout, const ReportColumns& columns, const QStringList& headings,
                       double height = 8);
// "Strona N z M" aligned to the right at the bottom of every page.
void AddPageFooter(ReportLayout& layout);
} // namespace ReportParts
