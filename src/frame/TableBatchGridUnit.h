#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POTableInsUnit.h"
#include "data/POTableUnit.h"
#include "platform/DateTime.h"
#include "platform/StringGrid.h"

// Grids whose rows hold TPOTable records (the batch grid, the table selector's pick):
// the data row holding the table, or 0.
int findTableRow(const TStringGrid& grid, int tableId);
// The records of rows 1 .. last, in row order.
std::vector<TPOTable> gridTables(const TStringGrid& grid);
// "台桌(" name ")已经被选择!"
void showTableAlreadyChosen(const QString& tableName);
// "台桌(" name ")不是在用状态!"
void showTableNotInUse(const QString& tableName);
// The in-use instance of every table, in order; none at all when a table has none
// (cleared, checked out or merged meanwhile), which is then named in a message.
std::optional<std::vector<TPOTableIns>> inUseInstances(const std::vector<TPOTable>& tables);

// The batch of in-use tables of the sell and cashier windows: "编号", "桌台名称",
// "状态", the table's record behind each row.
class TTableBatchGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TTableBatchGrid(QWidget* parent = nullptr);

    // Appends the table and selects its row. Refuses, with its message, a table
    // whose live state is not in use or that is in the batch already.
    bool addTable(int tableId, const QString& liveState);
    // Removes the selected row; the rows below move up and stay numbered 1..n.
    void removeSelectedRow();
    // Cuts the grid back to its title row.
    void clearTables();
    // Shows each row's live state: a table checked out, cleared or merged at another
    // station stays in the batch, where the batch commands name it, but no longer
    // reads "使用中".
    void refreshStates(int eatId, TDateTime date);
    int tableCount() const { return rowCount() - 1; }
    std::vector<TPOTable> tables() const { return gridTables(*this); }
};
