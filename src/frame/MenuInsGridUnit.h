#pragma once
#include <memory>
#include <optional>

#include "data/POMenuInsUnit.h"
#include "platform/StringGrid.h"

// The columns every dish-line grid has: "编号" in column 0, then from `nameCol` on the
// dish name, price and quantity as "0.00", unit and state text; the line is the row's
// record.
void setMenuInsCells(TStringGrid* grid, int row, const std::shared_ptr<TPOMenuIns>& line, int nameCol = 1);

// The dish lines of the table shown in a service window's info area: "编号",
// "菜单名称", "价格", "数量", "单位", "状态", "传菜", "打印". The rows hold the very
// line records of the list shown.
class TMenuInsGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TMenuInsGrid(QWidget* parent = nullptr);

    // Sets the titles and widths (done at creation; the windows repeat it where
    // their own creation sets up their grids).
    void initGrid();
    // One row per line; an empty list leaves the title row only.
    void showMenuInsList(const TMenuInsList& lines);
    void setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row);
    // The record of the selected row; nullptr when no data row is selected.
    std::shared_ptr<TPOMenuIns> selectedLine() const;
};

// The line as stored now, when it still is what the grid's record says; nothing
// when it was changed (served by scanning, edited at another station) or deleted
// since the grid was filled, so a stale record is never written back.
std::optional<TPOMenuIns> storedIfUnchanged(const TPOMenuIns& shown);
