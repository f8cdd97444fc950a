#include "frame/MenuInsGridUnit.h"

#include <QHeaderView>

#include "data/MenuInsMgrUnit.h"
#include "platform/Formats.h"

void setMenuInsCells(TStringGrid* grid, int row, const std::shared_ptr<TPOMenuIns>& line, int nameCol) {
    grid->setCell(0, row, QString::number(row));
    grid->setCell(nameCol, row, line->getMenuName());
    grid->setCell(nameCol + 1, row, formatFloat("0.00", line->getPrice()));
    grid->setCell(nameCol + 2, row, formatFloat("0.00", line->getQuantity()));
    grid->setCell(nameCol + 3, row, line->getUnit());
    grid->setCell(nameCol + 4, row, line->getStateText());
    grid->setObject(row, line);
}

namespace {
// The price gets room for three digits before the point.
const std::vector<int> menuInsWidths{30, 75, 45, 30, 30, 30, 30, 50};
}  // namespace

TMenuInsGrid::TMenuInsGrid(QWidget* parent) : TStringGrid(8, parent) {
    // The last column takes what the window's width leaves.
    horizontalHeader()->setStretchLastSection(true);
    initGrid();
}

void TMenuInsGrid::initGrid() {
    setTitles({"编号", "菜单名称", "价格", "数量", "单位", "状态", "传菜", "打印"});
    setColWidths(menuInsWidths);
    // A long dish name is cut, so that the states stay in sight.
    capColumn(1, menuInsWidths[1] * 3 / 2);
    setFixedCol(true);
}

void TMenuInsGrid::showMenuInsList(const TMenuInsList& lines) {
    setRowCount(int(lines.size()) + 1);
    for (size_t i = 0; i < lines.size(); ++i) setMenuInsRow(lines[i], int(i) + 1);
    setFixedRows(lines.empty() ? 0 : 1);
    // Long dish names and "打印完成" show whole where the window has the room.
    fitColumns(menuInsWidths);
}

void TMenuInsGrid::setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row) {
    setMenuInsCells(this, row, line);
    setCell(6, row, line->getServingText());
    setCell(7, row, line->getPrintStateText());
}

std::shared_ptr<TPOMenuIns> TMenuInsGrid::selectedLine() const { return row() >= 1 ? object<TPOMenuIns>(row()) : nullptr; }

std::optional<TPOMenuIns> storedIfUnchanged(const TPOMenuIns& shown) {
    std::optional<TPOMenuIns> stored = TMenuInsMgr::getMenuInsById(shown.getId());
    if (stored && *stored == shown) return stored;
    return std::nullopt;
}
