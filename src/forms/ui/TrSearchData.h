#pragma once

#include <QString>

// The column that the search dialog searches: its title caption and its field name.
struct TrSearchData {
    QString caption;
    QString fieldName;
};
