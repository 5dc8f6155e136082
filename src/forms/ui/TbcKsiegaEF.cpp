#include "forms/ui/TbcKsiegaEF.h"

TbcKsiegaEF::TbcKsiegaEF(QWidget* parent) : TbcKsiega(parent) {
    setObjectName(QStringLiteral("TbcKsiegaEF"));
    grid()->setSortMode(DataGrid::SortMode::ThreeColumns);
}

bool TbcKsiegaEF::SortByColumn(int column, bool toggle) {
    grid()->setSortMode(DataGrid::SortMode::ThreeColumns);
    return TbcKsiega::SortByColumn(column, toggle);
}
