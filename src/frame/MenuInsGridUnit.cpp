#include "frame/MenuInsGridUnit.h"

#include "platform/Formats.h"
#include "platform/StringGrid.h"

void setMenuInsCells(TStringGrid* grid, int row, const std::shared_ptr<TPOMenuIns>& line) {
    grid->setCell(0, row, QString::number(row));
    grid->setCell(1, row, line->getMenuName());
    grid->setCell(2, row, formatFloat("0.00", line->getPrice()));
    grid->setCell(3, row, formatFloat("0.00", line->getQuantity()));
    grid->setCell(4, row, line->getUnit());
    grid->setCell(5, row, line->getStateText());
    grid->setObject(row, line);
}
