#pragma once
#include <memory>

#include "data/POMenuInsUnit.h"

class TStringGrid;

// The columns every dish-line grid begins with: "编号", dish name, price and quantity
// as "0.00", unit and state text; the line is the row's record.
void setMenuInsCells(TStringGrid* grid, int row, const std::shared_ptr<TPOMenuIns>& line);
