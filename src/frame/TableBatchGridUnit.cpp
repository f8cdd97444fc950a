#include "frame/TableBatchGridUnit.h"

#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "platform/Messages.h"

int findTableRow(const TStringGrid& grid, int tableId) {
    for (int r = 1; r < grid.rowCount(); ++r)
        if (auto table = grid.object<TPOTable>(r); table && table->getId() == tableId) return r;
    return 0;
}

std::vector<TPOTable> gridTables(const TStringGrid& grid) {
    std::vector<TPOTable> list;
    for (int r = 1; r < grid.rowCount(); ++r)
        if (auto table = grid.object<TPOTable>(r)) list.push_back(*table);
    return list;
}

void showTableAlreadyChosen(const QString& tableName) {
    showMessage(QStringLiteral("台桌(") + tableName + QStringLiteral(")已经被选择!"));
}

void showTableNotInUse(const QString& tableName) {
    showMessage(QStringLiteral("台桌(") + tableName + QStringLiteral(")不是在用状态!"));
}

std::optional<std::vector<TPOTableIns>> inUseInstances(const std::vector<TPOTable>& tables) {
    std::vector<TPOTableIns> instances;
    for (const TPOTable& table : tables) {
        std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(table.getId(), TPOTableIns::stateInUse);
        if (!ins) {
            showTableNotInUse(table.getTableName());
            return std::nullopt;
        }
        instances.push_back(*ins);
    }
    return instances;
}

namespace {
// A table that left use reads as the map's legend names it, not as an error: checked
// out, or free once cleared.
QString batchStateText(const QString& liveState) {
    if (liveState == TPOTableIns::stateCheckedOut) return QStringLiteral("结账完成");
    return TTableMgr::getStateName(liveState);
}
}  // namespace

TTableBatchGrid::TTableBatchGrid(QWidget* parent) : TStringGrid(3, parent) {
    setTitles({"编号", "桌台名称", "状态"});
    setColWidths({30, 90, 50});
    // The widest state a row can come to read shows whole.
    fitTexts(2, {batchStateText(TPOTableIns::stateCheckedOut)});
    setFixedCol(true);
}

bool TTableBatchGrid::addTable(int tableId, const QString& liveState) {
    if (liveState != QLatin1String("TIS001")) {
        showMessage(QStringLiteral("只能选择使用中的台桌!"));
        return false;
    }
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table) return false;  // deleted since the map was drawn
    if (findTableRow(*this, tableId) != 0) {
        showTableAlreadyChosen(table->getTableName());
        return false;
    }
    const int row = rowCount();
    setRowCount(row + 1);
    setCell(0, row, QString::number(row));
    setCell(1, row, table->getTableName());
    setCell(2, row, TTableMgr::getStateName(liveState));
    setObject(row, std::make_shared<TPOTable>(*table));
    setFixedRows(1);
    setRow(row);
    return true;
}

void TTableBatchGrid::removeSelectedRow() {
    if (row() >= 1) removeRow(row());
}

void TTableBatchGrid::clearTables() { setRowCount(1); }

void TTableBatchGrid::refreshStates(int eatId, TDateTime date) {
    for (int r = 1; r < rowCount(); ++r)
        if (auto table = object<TPOTable>(r))
            setCell(2, r, batchStateText(TTableMgr::getTableState(table->getId(), eatId, date)));
}
