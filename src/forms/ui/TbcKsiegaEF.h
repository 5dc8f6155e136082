#pragma once

#include "forms/ui/TbcKsiega.h"

// A register whose title click sorts as the dictionary browsers do: by the clicked column and the
// next two visible ones, a second click on the leading column reversing the direction.
class TbcKsiegaEF : public TbcKsiega {
    Q_OBJECT
public:
    explicit TbcKsiegaEF(QWidget* parent = nullptr);

    bool SortByColumn(int column, bool toggle) override;
};
