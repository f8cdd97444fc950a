#pragma once
#include <memory>
#include <optional>

#include "data/POMenuInsUnit.h"
#include "platform/StringGrid.h"

// The columns every dish-line grid begins with: "编号", dish name, price and quantity
// as "0.00", unit and state text; the line is the row's record.
void setMenuInsCells(TStringGrid* grid, int row, const std::shared_ptr<TPOMenuIns>& line);

// The dish lines of the selected table in the sell and cashier windows: the common
// columns plus "传菜" and "打印".
class TMenuInsGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TMenuInsGrid(QWidget* parent = nullptr);

    // One row per line, the rows holding the very records of the list.
    void showMenuInsList(const TMenuInsList& lines);
    void setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row);
    // The record of the selected row; nullptr when no data row is selected.
    std::shared_ptr<TPOMenuIns> selectedLine() const;
};

// The line as stored now, when it still is what the grid's record says; nothing
// when it was changed (served by scanning, edited at another station) or deleted
// since the grid was filled, so a stale record is never written back.
std::optional<TPOMenuIns> storedIfUnchanged(const TPOMenuIns& shown);
