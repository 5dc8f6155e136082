#include "print/TbcPrint.h"

#include "BuildVersion.h"
#include "platform/data/Query.h"

bool TrNagWyd::isBlank() const {
    return HdrLn1.trimmed().isEmpty() && HdrLn2.trimmed().isEmpty() && HdrLn3.trimmed().isEmpty();
}

TbcPrint::TbcPrint(Connection& connection, QObject* parent)
    : QObject(parent), connection_(connection), qryMain_(std::make_unique<Query>(connection)) {
    qryMain_->setObjectName(QStringLiteral("qryMain"));
    if (header_.isBlank())
        header_.clear();
}

TbcPrint::~TbcPrint() {
    // Details first: they hold on to the main query as their master.
    details_.clear();
}

Query& TbcPrint::addDetail(const QString& name, const QHash<QString, QString>& paramToField) {
    auto query = std::make_unique<Query>(connection_);
    query->setObjectName(name);
    query->setMaster(qryMain_.get(), paramToField);
    Query& result = *query;
    details_[name] = std::move(query);
    return result;
}

void TbcPrint::SetReportParams(Query&) {}

void TbcPrint::OpenReportData() {
    CloseReportData();
    SetReportParams(*qryMain_);
    qryMain_->open();
    for (auto& [name, query] : details_)
        if (!query->isActive())
            query->open();
    qryMain_->last();
    qryMain_->first();
}

void TbcPrint::CloseReportData() {
    for (auto& [name, query] : details_)
        query->close();
    qryMain_->close();
}

bool TbcPrint::hasRows() const {
    return qryMain_->isActive() && !qryMain_->isEmpty();
}

QVariant TbcPrint::variable(const QString& name) const {
    if (name == QLatin1String("AppNameForPrt"))
        return QStringLiteral(OSTOJA_INTERNAL_NAME);
    if (name == QLatin1String("HdrLn1"))
        return header_.HdrLn1;
    if (name == QLatin1String("HdrLn2"))
        return header_.HdrLn2;
    if (name == QLatin1String("HdrLn3"))
        return header_.HdrLn3;
    return reportVariable(name);
}

QVariant TbcPrint::reportVariable(const QString&) const {
    return QVariant();
}

bool TbcPrint::Prepare(PreparedReport* report) {
    OpenReportData();
    bool result = false;
    if (hasRows()) {
        ReportData data;
        data.main = qryMain_.get();
        for (auto& [name, query] : details_)
            data.details.insert(name, query.get());
        data.variable = [this](const QString& name) { return variable(name); };
        ReportLayout l = layout();
        if (l.caption.isEmpty())
            l.caption = caption_;
        *report = PrepareReport(l, data);
        result = true;
    }
    CloseReportData();
    return result;
}

namespace ReportParts {

void AddHeaderLines(ReportLayout& layout) {
    ReportBand& band = layout.addBand(BandKind::PageHeader, 4);
    const double third = layout.contentWidth() / 3;
    const ReportFont font{7, false, false};
    band.cells.push_back(
        TextCell(0, 0, third, 4, QStringLiteral("[HdrLn1]"), Qt::AlignLeft | Qt::AlignTop, font));
    band.cells.push_back(
        TextCell(third, 0, third, 4, QStringLiteral("[HdrLn2]"), Qt::AlignHCenter | Qt::AlignTop, font));
    band.cells.push_back(
        TextCell(2 * third, 0, third, 4, QStringLiteral("[HdrLn3]"), Qt::AlignRight | Qt::AlignTop, font));
}

void AddFormHead(ReportLayout& layout, const QString& listTitle, const QString& formTitle) {
    const double width = layout.contentWidth();
    const ReportFont bold{9, true, false};
    ReportBand& list = layout.addBand(BandKind::Title, 12);
    list.cells.push_back(TextCell(0, 1, width, 10, listTitle, Qt::AlignCenter, bold));
    ReportBand& title = layout.addBand(BandKind::Title, 12);
    const double yearWidth = 40;
    title.cells.push_back(
        TextCell(0, 0, width - yearWidth, 12, formTitle, Qt::AlignLeft | Qt::AlignVCenter, bold, AllBorders));
    title.cells.push_back(TextCell(width - yearWidth, 0, yearWidth, 12,
                                   QStringLiteral("rok: [Rok]\n[Polrocze]"), Qt::AlignLeft | Qt::AlignVCenter,
                                   ReportFont{9, false, false}, AllBorders));
    ReportBand& entity = layout.addBand(BandKind::Title, 6);
    entity.cells.push_back(TextCell(0, 0, width, 6,
                                    QStringLiteral("Podmiot Podmiot korzystający ze środowiska "),
                                    Qt::AlignCenter, ReportFont{9, false, true}, AllBorders));
    const double half = width / 2;
    const ReportFont normal{9, false, false};
    ReportBand& name = layout.addBand(BandKind::Title, 7);
    name.cells.push_back(TextCell(0, 0, half, 7, QStringLiteral("Nazwa: [PdmNazwa]"),
                                  Qt::AlignLeft | Qt::AlignVCenter, normal, AllBorders));
    name.cells.push_back(TextCell(half, 0, half, 7, QStringLiteral("Adres: [PdmAdres]"),
                                  Qt::AlignLeft | Qt::AlignVCenter, normal, AllBorders));
    ReportBand& regon = layout.addBand(BandKind::Title, 7);
    regon.cells.push_back(TextCell(0, 0, half, 7, QStringLiteral("REGON: [PdmRegon]"),
                                   Qt::AlignLeft | Qt::AlignVCenter, normal, AllBorders));
    regon.cells.push_back(TextCell(half, 0, half, 7, QStringLiteral("Tel/faks: [PdmTelFaks]"),
                                   Qt::AlignLeft | Qt::AlignVCenter, normal, AllBorders));
    // Room between the head and the table.
    layout.addBand(BandKind::Title, 3);
}

void AddColumnHeadings(ReportLayout& layout, const ReportColumns& columns, const QStringList& headings,
                       double height) {
    layout.addBand(BandKind::ColumnHeader, height).cells =
        Literal(TableRow(columns, headings, height, Qt::AlignCenter, ReportFont{8, true, false}));
}

void AddPageFooter(ReportLayout& layout) {
    ReportBand& band = layout.addBand(BandKind::PageFooter, 5);
    band.cells.push_back(TextCell(0, 0.5, layout.contentWidth(), 4.5,
                                  QStringLiteral("Strona [PAGE#] z [TOTALPAGES#]"),
                                  Qt::AlignRight | Qt::AlignVCenter, ReportFont{7, false, false}));
}

} // namespace ReportParts
