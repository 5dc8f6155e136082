#pragma once

#include "platform/report/ReportLayout.h"

#include <QHash>
#include <QRectF>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class Query;

// A cell placed on a page, its text final.
struct PreparedCell {
    QRectF rect; // millimetres from the paper's top left corner
    QString text;
    Qt::Alignment align;
    int borders = NoBorder;
    ReportFont font;
    bool wordWrap = true;
    BandKind band = BandKind::Detail;
};

struct PreparedPage {
    std::vector<PreparedCell> cells;
};

// The pages of a printout, ready for any painter: the screen preview, a printer or a PDF file.
struct PreparedReport {
    QString caption;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QString fontFamily;
    std::vector<PreparedPage> pages;

    int pageCount() const { return int(pages.size()); }
    QSizeF paperSize() const; // millimetres, as oriented
    // Every non-empty cell as a line "page|band|text" (line breaks shown as "\n"), page by page in
    // the order of printing: what golden-text tests compare.
    QStringList dump() const;
};

// What a printout is filled from: the main data set (one pass over its rows), the detail data sets
// named by detail bands (details of the main one, re-read as it moves), and variables.
struct ReportData {
    Query* main = nullptr;
    QHash<QString, Query*> details;
    // The value of a variable, or an invalid QVariant when the name is not one.
    std::function<QVariant(const QString&)> variable;
};

// Lays the layout out on pages: bands in order, growing with their texts, a new page when the next
// band does not fit; page header and column header on every page, page footer at the bottom.
PreparedReport PrepareReport(const ReportLayout& layout, const ReportData& data);

// Height in millimetres that a text needs in a cell of the given width.
double MeasureTextHeight(const QString& fontFamily, const ReportFont& font, double width, const QString& text,
                         bool wordWrap);
