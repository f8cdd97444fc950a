#include "service/SellUnit.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/GuardedWrites.h"
#include "data/MenuInsMgrUnit.h"
#include "data/POTableInsUnit.h"
#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "frame/ReservePanelUnit.h"
#include "frame/TableInfoAreaUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "service/CarteUnit.h"
#include "service/MenuInsPrintUnit.h"
#include "service/MenuInsUnit.h"
#include "service/TableSelecterUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

namespace {
const QString stateFree = QStringLiteral("TS001");
const QString stateDisabled = QStringLiteral("TS002");

QString tableState(int tableId, int eatId) { return TTableMgr::getTableState(tableId, eatId, Date()); }
}  // namespace

TsellForm::TsellForm(QWidget* parent) : TtableServiceForm(parent) {
    setWindowTitle(QStringLiteral("营业管理"));
    resize(832, 630);

    buildMapSide();
    buildInfoCommands();
    buildRightSide({{&mergeBtn, QStringLiteral("并台"), [this] { mergeBtnClick(); }},
                    {&addMenuBtn, QStringLiteral("加菜"), [this] { addMenuBtnClick(); }}},
                   {{&startRepastsBtn, QStringLiteral("开桌"), [this] { startRepastsBtnClick(); }}});

    tablePopupMenu = new QMenu(this);
    switchTable = tablePopupMenu->addAction(QStringLiteral("转台"));
    refreshTable = tablePopupMenu->addAction(QStringLiteral("刷新"));
    cancelTable = tablePopupMenu->addAction(QStringLiteral("退台"));
    attribTable = tablePopupMenu->addAction(QStringLiteral("属性"));
    // Nothing to switch or cancel until an in-use table is selected.
    switchTable->setEnabled(false);
    cancelTable->setEnabled(false);
    onTriggered(switchTable, [this] { switchTableClick(); });
    onTriggered(cancelTable, [this] { cancelTableClick(); });
    startService();
}

void TsellForm::buildInfoCommands() {
    startRepastBtn = commandButton(QStringLiteral("开桌"), tableInforArea);
    clearTableBtn = commandButton(QStringLiteral("清除"), tableInforArea);
    tableInforArea->addUnderTime({startRepastBtn, clearTableBtn});
    menuBtn = commandButton(QStringLiteral("点菜"), tableInforArea);
    menuSendCookBtn = commandButton(QStringLiteral("打印菜单"), tableInforArea);
    servingBtn = commandButton(QStringLiteral("传菜"), tableInforArea);
    cancelMenuBtn = commandButton(QStringLiteral("退菜"), tableInforArea);
    tableInforArea->addCommandColumn({menuBtn, menuSendCookBtn, servingBtn, cancelMenuBtn});

    onClick(startRepastBtn, [this] { startRepastBtnClick(); });
    onClick(clearTableBtn, [this] { clearTableBtnClick(); });
    onClick(menuBtn, [this] { menuBtnClick(); });
    onClick(menuSendCookBtn, [this] { menuSendCookBtnClick(); });
    onClick(servingBtn, [this] { servingBtnClick(); });
    onClick(cancelMenuBtn, [this] { cancelMenuBtnClick(); });
    connect(tableMenuInsGrid, &QTableWidget::cellDoubleClicked, this,
            [this] { runGuarded([this] { tableMenuInsGridDblClick(); }); });
}

void TsellForm::showMenuInsList(const TMenuInsList& lines) { tableMenuInsGrid->showMenuInsList(lines); }

void TsellForm::setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row) {
    tableMenuInsGrid->setMenuInsRow(line, row);
}

void TsellForm::showTables() {
    // The refill drops the map's selection without a deselection, so the remark
    // being edited is saved first.
    saveEditedRemark();
    TtableServiceForm::showTables();
}

void TsellForm::refreshItemOf(int tableId) { refreshTableItem(findTableItem(tableId)); }

void TsellForm::selectTable(int tableId) {
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table) return;
    if (floorButtons->setFloor(table->getFloor())) showTables();
    // Selecting in code fires nothing, so the selection handler runs here.
    selectOnMap(tableId);
    selectedTableId = tableId;
    showTableInfo();
}

void TsellForm::tableListViewSelectItem(TIconListItem* item, bool selected) {
    if (!item) return;
    selectedTableId = item->dataId();
    if (selected) {
        showTableInfo();  // may drop the item from the map
    } else {
        const bool saved = saveEditedRemark();
        switchTable->setEnabled(false);
        cancelTable->setEnabled(false);
        // The table left use elsewhere: shown as it is now, until another is selected.
        if (!saved) {
            showTableInfo();
            refreshItemOf(selectedTableId);
        }
    }
}

void TsellForm::setInfoControls(bool open, bool order, bool clear, bool serve, bool cancelDish, bool remark,
                                bool print) {
    startRepastBtn->setEnabled(open);
    menuBtn->setEnabled(order);
    clearTableBtn->setEnabled(clear);
    servingBtn->setEnabled(serve);
    cancelMenuBtn->setEnabled(cancelDish);
    tableInsDescription->setEnabled(remark);
    menuSendCookBtn->setEnabled(print);
}

void TsellForm::showTableInfo() {
    if (selectedTableId == 0) return;
    saveEditedRemark();
    remarkTableInsId = 0;
    std::optional<TPOTableIns> ins;
    const QString state = tableInforArea->showTable(selectedTableId, eatId(), Date(), &ins);
    if (state.isEmpty()) return;  // no such table
    tableListView->showItemState(findTableItem(selectedTableId), state);
    bool inUse = state == TPOTableIns::stateInUse;
    switchTable->setEnabled(inUse);
    cancelTable->setEnabled(inUse);

    if (inUse) {
        setInfoControls(false, true, false, true, true, true, true);
        if (ins) remarkTableInsId = ins->getId();
    } else if (state == TPOTableIns::stateCheckedOut) {
        setInfoControls(false, false, true, false, false, false, false);
    } else if (state == TPOReserveTable::stateBooked || state == stateFree) {
        setInfoControls(true, false, false, false, false, false, false);
    } else {
        // A table disabled while it was shown: nothing may be done with it.
        setInfoControls(false, false, false, false, false, false, false);
    }
    tableInsDescription->document()->setModified(false);
}

bool TsellForm::saveEditedRemark() {
    if (remarkTableInsId == 0 || !tableInsDescription->document()->isModified()) return true;
    auto inUse = [this] {
        std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsById(remarkTableInsId);
        return ins && ins->getState() == TPOTableIns::stateInUse ? ins : std::nullopt;
    };
    if (std::optional<TPOTableIns> ins = inUse()) {
        ins->setDescription(tableInsDescription->toPlainText());
        if (TTableInsMgr::update(*ins)) {
            tableInsDescription->document()->setModified(false);
            return true;
        }
        // The manager said why; while the instance is still in use the edit stays
        // marked and is tried again.
        if (inUse()) return true;
    }
    // Checked out or cancelled elsewhere meanwhile: the remark has no place to go.
    tableInsDescription->document()->setModified(false);
    return false;
}

void TsellForm::startRepastBtnClick() {
    const bool opened = openTable(selectedTableId);
    showReserves();
    showReserveTables();
    if (opened)
        showTableInfo();
    else
        refreshShown();
}

bool TsellForm::openTable(int tableId, const std::optional<TPOReserveTable>& booking) {
    QString state = tableState(tableId, eatId());
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table || state == stateDisabled) {
        // A disabled table is never opened: no map shows it, so it could never be
        // checked out.
        refreshItemOf(tableId);
        return false;
    }
    if (state == TPOTableIns::stateInUse) {
        showMessage("台桌(" + table->getTableName() + ")已被占用!");
        refreshItemOf(tableId);
        return false;
    }
    std::optional<TPOReserveTable> taken = booking;
    if (!taken && state == TPOReserveTable::stateBooked)
        taken = TReserveTableMgr::getBookedReserveTable(tableId, eatId(), Date());

    TPOTableIns ins;
    ins.setTableId(tableId);
    ins.setTableName(table->getTableName());
    ins.setStartTime(Now());
    ins.setState(TPOTableIns::stateInUse);
    // The reservation panel opens many tables at once: none of them takes over the
    // remark of whichever table the info area shows.
    ins.setDescription(booking ? QString() : tableInsDescription->toPlainText());
    if (taken) ins.setReserveTableId(taken->getId());
    // The booking is taken over only once the table really got its instance.
    const bool opened = TTableInsMgr::insert(ins) != 0;
    if (opened && taken) {
        taken->setState(TPOReserveTable::stateDone);
        if (TReserveTableMgr::update(*taken)) {
            TReserveMgr::completeReserveIfAllUsed(taken->getReserveId());
            TMenuInsMgr::copyReservedMenuIns(taken->getId(), ins.getId());
        }
    }
    refreshItemOf(tableId);
    return opened;
}

void TsellForm::clearTableBtnClick() {
    // Not checked out (any more): the button was offered by a screen out of date.
    if (tableState(selectedTableId, eatId()) != TPOTableIns::stateCheckedOut) return refreshShown();
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateCheckedOut);
    if (!ins) return refreshShown();
    ins->setEndTime(Now());
    ins->setState(TPOTableIns::stateCleared);
    if (!TTableInsMgr::update(*ins)) return refreshShown();
    refreshItemOf(selectedTableId);
    showTableInfo();
}

void TsellForm::switchTableClick() {
    saveEditedRemark();
    // Checked out at the cashier meanwhile: nothing left to switch.
    if (!TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateInUse)) return refreshShown();
    TtableSelecterForm selecter;
    selecter.setSingle();
    selecter.setFloor(floorButtons->currentFloor());
    std::vector<TPOTable> chosen = selecter.getSelectTables();
    if (chosen.empty()) return;
    const TPOTable& target = chosen.front();
    if (tableState(target.getId(), eatId()) != stateFree) {
        showMessage(QStringLiteral("你选择桌台不是处于空闲状态!"));
        return refreshShown();
    }
    int oldTableId = selectedTableId;
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(oldTableId, TPOTableIns::stateInUse);
    if (!ins) return refreshShown();
    ins->setTableId(target.getId());
    ins->setTableName(target.getTableName());
    if (!TTableInsMgr::update(*ins)) return refreshShown();
    showMessage(QStringLiteral("转台成功!"));
    refreshItemOf(oldTableId);
    selectTable(target.getId());
}

void TsellForm::cancelTableClick() {
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateInUse);
    if (!ins) return refreshShown();
    if (!askYesNo("(" + ins->getTableName() + ")是否真的要退台?")) return;
    ins->setState(TPOTableIns::stateGivenBack);
    if (!TTableInsMgr::update(*ins)) return refreshShown();
    showMessage(QStringLiteral("退台成功!"));
    showTableInfo();
    refreshItemOf(selectedTableId);
}

void TsellForm::mergeBtnClick() {
    saveEditedRemark();
    std::vector<TPOTable> batch = tableBatGrid->tables();
    for (const TPOTable& t : batch) {
        if (tableState(t.getId(), eatId()) != TPOTableIns::stateInUse) {
            showTableNotInUse(t.getTableName());
            return refreshShown();
        }
    }
    TtableSelecterForm selecter;
    selecter.setSingle();
    selecter.setFloor(floorButtons->currentFloor());
    std::vector<TPOTable> chosen = selecter.getSelectTables();
    if (chosen.empty()) return;

    // Checked out while the selector was open: nothing is merged.
    std::optional<std::vector<TPOTableIns>> instances = inUseInstances(batch);
    if (!instances) return refreshShown();
    std::optional<TPOTable> target = TTableMgr::getTableById(chosen.front().getId());
    if (!target) return refreshShown();
    if (tableState(target->getId(), eatId()) != stateFree && findTableRow(*tableBatGrid, target->getId()) == 0) {
        showMessage(QStringLiteral("您选择的台桌不是处于空闲状态!"));
        return refreshShown();
    }
    if (!TTableInsMgr::mergeTables(*instances, *target)) return refreshShown();
    selectTable(target->getId());
    tableBatGrid->clearTables();
}

void TsellForm::closeEvent(QCloseEvent* event) {
    runGuarded([this] { saveEditedRemark(); });
    TtableServiceForm::closeEvent(event);
}

std::optional<TPOTableIns> TsellForm::inUseInstanceOrRefresh() {
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateInUse);
    if (ins) return ins;
    // Checked out, cancelled or merged away at another station since it was shown.
    std::optional<TPOTable> table = TTableMgr::getTableById(selectedTableId);
    showTableNotInUse(table ? table->getTableName() : QString());
    refreshShown();
    return std::nullopt;
}

void TsellForm::menuBtnClick() {
    std::optional<TPOTableIns> ins = inUseInstanceOrRefresh();
    if (!ins) return;
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(ins->getId());
    // The dish window changes the lines in place: the save compares with these.
    const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(lines);
    TcarteForm carte;
    carte.selectMenuIns(lines);
    for (const auto& line : lines) {
        line->setConsultId(ins->getId());
        line->setRelaType(TPOMenuIns::relaTableIns);
    }
    TMenuInsList saved = TMenuInsMgr::saveMenuInsList(ins->getId(), TPOMenuIns::relaTableIns, lines, asRead);
    // A failed or refused save comes back empty; the waiter then sees what is
    // really ordered, not an empty table to order everything for again, and
    // whether the table is still in use at all. A save that went through is
    // shown as stored too, with what another waiter ordered meanwhile.
    if (saved.empty())
        refreshShown();
    else
        showMenuInsList(TMenuInsMgr::getTableInsMenuIns(ins->getId()));
}

void TsellForm::menuSendCookBtnClick() {
    std::optional<TPOTableIns> ins = inUseInstanceOrRefresh();
    if (!ins) return;
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(ins->getId());
    TmenuInsPrintForm printForm;
    // The grid's records still say "not printed": they are replaced by the lines as
    // now stored, also when a printer failed halfway, so that no later save of a
    // row marks a printed line due again (a second ticket, a dish cooked twice).
    try {
        printForm.printMenuIns(lines);
    } catch (...) {
        showTableInfo();
        throw;
    }
    showTableInfo();
}

bool TsellForm::ownerInUseOrSay(const TPOMenuIns& line) {
    if (line.getRelaType() != TPOMenuIns::relaTableIns) return true;
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsById(line.getConsultId());
    if (ins && ins->getState() == TPOTableIns::stateInUse) return true;
    std::optional<TPOTable> table = TTableMgr::getTableById(selectedTableId);
    showTableNotInUse(ins ? ins->getTableName() : table ? table->getTableName() : QString());
    return false;
}

void TsellForm::changeSelectedLine(const std::function<bool(TPOMenuIns&)>& change, bool billed) {
    const int row = tableMenuInsGrid->row();
    std::shared_ptr<TPOMenuIns> shown = tableMenuInsGrid->selectedLine();
    if (!shown) return;
    // Settled, given back or merged away: the commands were offered by a screen out of date.
    if (billed && !ownerInUseOrSay(*shown)) return refreshShown();
    std::optional<TPOMenuIns> line = storedIfUnchanged(*shown);
    if (!line) return refreshShown();
    if (!change(*line)) return;
    if (billed) {
        const WriteOutcome outcome = TMenuInsMgr::updateWhileInUse(*line);
        // Refused: checked out since the check above, or the line left its table.
        if (outcome == WriteOutcome::Refused && ownerInUseOrSay(*line)) showMessage(staleTableMessage);
        if (outcome != WriteOutcome::Done) return refreshShown();
    } else if (!TMenuInsMgr::update(*line)) {
        return refreshShown();
    }
    *shown = *line;
    setMenuInsRow(shown, row);
}

void TsellForm::servingBtnClick() {
    changeSelectedLine([](TPOMenuIns& line) {
        line.setServing(line.getServing() == TPOMenuIns::servingDone ? TPOMenuIns::servingWaiting
                                                                       : TPOMenuIns::servingDone);
        return true;
    });
}

void TsellForm::cancelMenuBtnClick() {
    const auto returnOrTakeBack = [](TPOMenuIns& line) {
        if (line.getState() == TPOMenuIns::stateGift) {
            showMessage(QStringLiteral("赠送的菜不能退！"));
            return false;
        }
        if (line.getState() == TPOMenuIns::stateNormal)
            line.setState(TPOMenuIns::stateReturned);
        else if (line.getState() == TPOMenuIns::stateReturned)
            line.setState(TPOMenuIns::stateNormal);
        return true;
    };
    changeSelectedLine(returnOrTakeBack, true);
}

void TsellForm::tableMenuInsGridDblClick() {
    std::shared_ptr<TPOMenuIns> shown = tableMenuInsGrid->selectedLine();
    if (!shown) return;
    if (!ownerInUseOrSay(*shown)) return refreshShown();
    // The editor starts from the line as stored; a change made elsewhere while it
    // was open makes its save refuse, as for "传菜" and "退菜".
    std::optional<TPOMenuIns> stored = storedIfUnchanged(*shown);
    if (!stored) return refreshShown();
    auto edited = std::make_shared<TPOMenuIns>(*stored);
    TmenuInsForm editor;
    editor.setWindowTitle(edited->getMenuName());
    editor.showMenuIns(edited);
    const auto takeEdited = [&](TPOMenuIns& line) {
        line = *edited;
        return true;
    };
    changeSelectedLine(takeEdited, true);
}

void TsellForm::addMenuBtnClick() {
    if (tableBatGrid->tableCount() == 0) {
        showMessage(QStringLiteral("请选择台桌！"));
        return;
    }
    auto notInUse = [this](int row) { showTableNotInUse(tableBatGrid->cell(1, row)); };
    for (int row = 1; row < tableBatGrid->rowCount(); ++row) {
        auto table = tableBatGrid->object<TPOTable>(row);
        if (table && tableState(table->getId(), eatId()) != TPOTableIns::stateInUse) {
            notInUse(row);
            return refreshShown();
        }
    }
    TMenuInsList chosen;
    TcarteForm carte;
    carte.selectMenuIns(chosen);
    bool allWritten = true;
    for (int row = 1; row < tableBatGrid->rowCount(); ++row) {
        auto table = tableBatGrid->object<TPOTable>(row);
        if (!table) continue;
        std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(table->getId(), TPOTableIns::stateInUse);
        if (!ins) {
            // Checked out while the dishes were chosen: the other tables still get theirs.
            notInUse(row);
            allWritten = false;
            continue;
        }
        for (const auto& line : chosen) {
            TPOMenuIns copy = *line;  // each table its own line under its own id
            copy.setId(0);
            copy.setConsultId(ins->getId());
            copy.setRelaType(TPOMenuIns::relaTableIns);
            if (TMenuInsMgr::insert(copy) == 0) allWritten = false;
        }
        if (table->getId() == selectedTableId) showMenuInsList(TMenuInsMgr::getTableInsMenuIns(ins->getId()));
    }
    if (!allWritten) refreshShown();
}

void TsellForm::startRepastsBtnClick() {
    // Outside meal time there are no bookings of "this meal" to take over.
    if (eatId() == 0) return;
    std::optional<TPOReserve> shown = reservePanel->selectedReserve();
    if (!shown) return;
    // Cancelled and no-show reservations are listed, but their bookings stay.
    std::optional<TPOReserve> reserve = TReserveMgr::getReserveById(shown->getId());
    if (reserve && reserve->getState() == TPOReserve::stateBooked) {
        for (const TPOReserveTable& booking : TReserveTableMgr::getReserveTablesByMeal(reserve->getId(), eatId(), Date()))
            if (booking.getState() == TPOReserveTable::stateBooked) openTable(booking.getTableId(), booking);
    }
    showReserves();
    showReserveTables();
    showTableInfo();
}
