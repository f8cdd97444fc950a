#include "service/SellUnit.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "data/EatMgrUnit.h"
#include "data/MenuInsMgrUnit.h"
#include "data/POTableInsUnit.h"
#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "backoffice/TableAttribUnit.h"
#include "service/TableSelecterUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

namespace {
const QString stateFree = QStringLiteral("TS001");
const QString stateDisabled = QStringLiteral("TS002");

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedHeight(25);
    return b;
}

// Connects a button to a handler run inside the error funnel.
template <class Handler>
void onClick(QPushButton* b, QObject* context, Handler handler) {
    QObject::connect(b, &QPushButton::clicked, context, [handler] { runGuarded(handler); });
}

QString tableState(int tableId, int eatId) { return TTableMgr::getTableState(tableId, eatId, Date()); }
}  // namespace

TsellForm::TsellForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("营业管理"));
    resize(832, 630);
    showMaximizedChild = true;

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(buildLeftPanel(), 1);
    row->addWidget(buildRightPanel());

    tablePopupMenu = new QMenu(this);
    switchTable = tablePopupMenu->addAction(QStringLiteral("转台"));
    refreshTable = tablePopupMenu->addAction(QStringLiteral("刷新"));
    cancelTable = tablePopupMenu->addAction(QStringLiteral("退台"));
    attribTable = tablePopupMenu->addAction(QStringLiteral("属性"));
    // Nothing to switch or cancel until an in-use table is selected.
    switchTable->setEnabled(false);
    cancelTable->setEnabled(false);
    auto guardedAction = [this](QAction* a, void (TsellForm::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    guardedAction(switchTable, &TsellForm::switchTableClick);
    guardedAction(refreshTable, &TsellForm::refreshTableClick);
    guardedAction(cancelTable, &TsellForm::cancelTableClick);
    guardedAction(attribTable, &TsellForm::attribTableClick);
    connect(tableListView, &TIconListView::contextMenuRequested, this,
            [this](const QPoint&, const QPoint& globalPos) { tablePopupMenu->popup(globalPos); });
    connect(tableListView, &TIconListView::itemSelected, this, [this](TIconListItem* item, bool selected) {
        runGuarded([&] { tableListViewSelectItem(item, selected); });
    });
    connect(tableListView, &TIconListView::doubleClicked, this,
            [this] { runGuarded([this] { tableListViewDblClick(); }); });
    connect(floorButtons, &TFloorButtons::floorClicked, this, [this] { runGuarded([this] { floorClick(); }); });

    eatTimer = new QTimer(this);
    eatTimer->setInterval(1000);
    connect(eatTimer, &QTimer::timeout, this, [this] { runGuarded([this] { eatTimerTimer(); }); });
    MTimer = new QTimer(this);
    MTimer->setInterval(60000);
    connect(MTimer, &QTimer::timeout, this, [this] { runGuarded([this] { MTimerTimer(); }); });

    runGuarded([this] {
        floorButtons->setFloor(1);
        refreshEat();
        showTables();
        initGrids();
    });
    eatTimer->start();
    MTimer->start();
}

QWidget* TsellForm::buildLeftPanel() {
    leftPanel = new QWidget(this);
    auto* column = new QVBoxLayout(leftPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    tablePanel = new QWidget(leftPanel);
    tablePanel->setFixedHeight(29);
    tablePanel->setAutoFillBackground(true);
    QPalette highlight = tablePanel->palette();
    highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
    tablePanel->setPalette(highlight);
    auto* title = new QHBoxLayout(tablePanel);
    title->setContentsMargins(6, 0, 6, 0);
    tableLabe = new QLabel(QStringLiteral("请选择桌台    "), tablePanel);
    QFont titleFont(QStringLiteral("华文仿宋"));
    titleFont.setPixelSize(21);
    tableLabe->setFont(titleFont);
    tableLabe->setStyleSheet(QStringLiteral("color: white"));
    stateImage = new QLabel(tablePanel);
    stateImage->setPixmap(tableStateLegend());
    stateImage->setFixedSize(321, 25);
    title->addWidget(tableLabe);
    title->addStretch(1);
    title->addWidget(stateImage);
    column->addWidget(tablePanel);

    auto* choosers = new QHBoxLayout;
    GroupBox1 = new QGroupBox(QStringLiteral("餐次"), leftPanel);
    auto* eatBox = new QHBoxLayout(GroupBox1);
    eatLable = new QLabel(GroupBox1);
    eatLable->setStyleSheet(QStringLiteral("color: red"));
    eatLable->setMinimumWidth(80);
    eatBox->addWidget(eatLable);
    floorGroupBox = new QGroupBox(QStringLiteral("楼层"), leftPanel);
    auto* floorBox = new QHBoxLayout(floorGroupBox);
    floorBox->setContentsMargins(4, 2, 4, 2);
    floorButtons = new TFloorButtons(floorGroupBox);
    floorBox->addWidget(floorButtons);
    choosers->addWidget(GroupBox1);
    choosers->addWidget(floorGroupBox, 1);
    column->addLayout(choosers);

    tableListView = new TTableListView(leftPanel);
    column->addWidget(tableListView, 1);
    column->addWidget(buildInfoArea());
    return leftPanel;
}

QWidget* TsellForm::buildInfoArea() {
    tableInforArea = new QGroupBox(QStringLiteral("未选择桌台"), leftPanel);
    tableInforArea->setStyleSheet(QStringLiteral("QGroupBox { color: red; }"));
    tableInforArea->setFixedHeight(171);
    tableInforArea->setEnabled(false);
    auto* row = new QHBoxLayout(tableInforArea);

    auto* first = new QVBoxLayout;
    GroupBox4 = new QGroupBox(QStringLiteral("开台时间"), tableInforArea);
    GroupBox4->setStyleSheet(QStringLiteral("QGroupBox { color: palette(text); }"));
    auto* timeBox = new QHBoxLayout(GroupBox4);
    startRepastTimeLable = new QLabel(GroupBox4);
    timeBox->addWidget(startRepastTimeLable);
    first->addWidget(GroupBox4);
    startRepastBtn = button(QStringLiteral("开桌"), tableInforArea);
    clearTableBtn = button(QStringLiteral("清除"), tableInforArea);
    first->addWidget(startRepastBtn);
    first->addWidget(clearTableBtn);
    first->addStretch(1);
    row->addLayout(first);

    GroupBox3 = new QGroupBox(QStringLiteral("备注信息"), tableInforArea);
    GroupBox3->setStyleSheet(QStringLiteral("QGroupBox { color: palette(text); }"));
    auto* remarkBox = new QVBoxLayout(GroupBox3);
    tableInsDescription = new QPlainTextEdit(GroupBox3);
    remarkBox->addWidget(tableInsDescription);
    GroupBox3->setFixedWidth(150);
    row->addWidget(GroupBox3);

    auto* dishButtons = new QVBoxLayout;
    menuBtn = button(QStringLiteral("点菜"), tableInforArea);
    menuSendCookBtn = button(QStringLiteral("打印菜单"), tableInforArea);
    servingBtn = button(QStringLiteral("传菜"), tableInforArea);
    cancelMenuBtn = button(QStringLiteral("退菜"), tableInforArea);
    for (QPushButton* b : {menuBtn, menuSendCookBtn, servingBtn, cancelMenuBtn}) dishButtons->addWidget(b);
    dishButtons->addStretch(1);
    row->addLayout(dishButtons);

    tableMenuInsGrid = new TStringGrid(8, tableInforArea);
    row->addWidget(tableMenuInsGrid, 1);

    onClick(startRepastBtn, this, [this] { startRepastBtnClick(); });
    onClick(clearTableBtn, this, [this] { clearTableBtnClick(); });
    return tableInforArea;
}

QWidget* TsellForm::buildRightPanel() {
    rightPanel = new QWidget(this);
    rightPanel->setFixedWidth(246);
    auto* column = new QVBoxLayout(rightPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    GroupBox5 = new QGroupBox(QStringLiteral("批量处理"), rightPanel);
    auto* batch = new QVBoxLayout(GroupBox5);
    tableBatGrid = new TTableBatchGrid(GroupBox5);
    batch->addWidget(tableBatGrid, 1);
    auto* batchButtons = new QHBoxLayout;
    mergeBtn = button(QStringLiteral("并台"), GroupBox5);
    addMenuBtn = button(QStringLiteral("加菜"), GroupBox5);
    clearTableBatBtn = button(QStringLiteral("清除"), GroupBox5);
    for (QPushButton* b : {mergeBtn, addMenuBtn, clearTableBatBtn}) batchButtons->addWidget(b);
    batch->addLayout(batchButtons);
    column->addWidget(GroupBox5, 1);

    Panel4 = new QLabel(QStringLiteral("预订例表"), rightPanel);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel4->setFixedHeight(25);
    column->addWidget(Panel4);
    reserveGrid = new TStringGrid(4, rightPanel);
    column->addWidget(reserveGrid, 1);
    auto* reserveButtons = new QHBoxLayout;
    startRepastsBtn = button(QStringLiteral("开桌"), rightPanel);
    viewReserveBtn = button(QStringLiteral("查看"), rightPanel);
    reserveButtons->addWidget(startRepastsBtn);
    reserveButtons->addWidget(viewReserveBtn);
    column->addLayout(reserveButtons);
    reTableGrid = new TStringGrid(5, rightPanel);
    column->addWidget(reTableGrid, 1);

    onClick(mergeBtn, this, [this] { mergeBtnClick(); });
    onClick(clearTableBatBtn, this, [this] { clearTableBatBtnClick(); });
    return rightPanel;
}

void TsellForm::initGrids() {
    tableMenuInsGrid->setTitles({"编号", "菜单名称", "价格", "数量", "单位", "状态", "传菜", "打印"});
    tableMenuInsGrid->setColWidths({30, 75, 30, 30, 30, 30, 30, 50});
    reserveGrid->setTitles({"编号", "客户名称", "桌数", "状态"});
    reserveGrid->setColWidths({30, 90, 30, 50});
    reTableGrid->setTitles({"编号", "桌台名称", "状态", "日期", "餐次"});
    reTableGrid->setColWidths({30, 60, 40, 55, 30});
    for (TStringGrid* grid : {tableMenuInsGrid, reserveGrid, reTableGrid}) grid->setFixedCol(true);
}

void TsellForm::showMenuInsList(const TMenuInsList& lines) {
    tableMenuInsGrid->setRowCount(int(lines.size()) + 1);
    for (size_t i = 0; i < lines.size(); ++i) setMenuInsRow(lines[i], int(i) + 1);
    tableMenuInsGrid->setFixedRows(lines.empty() ? 0 : 1);
}

void TsellForm::setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row) {
    setMenuInsCells(tableMenuInsGrid, row, line);
    tableMenuInsGrid->setCell(6, row, line->getServingText());
    tableMenuInsGrid->setCell(7, row, line->getPrintStateText());
}

void TsellForm::refreshEat() {
    currentEat = TEatMgr::getEatByTime(Time());
    eatLable->setText(currentEat ? currentEat->getName() : QStringLiteral("非就餐时间"));
}

void TsellForm::showTables() {
    // The refill drops the map's selection without a deselection, so the remark
    // being edited is saved first.
    saveEditedRemark();
    tableListView->showFloor(floorButtons->currentFloor(), eatId(), Date());
    // The table shown in the info area stays selected on its map.
    if (TTableItem* item = findTableItem(selectedTableId)) tableListView->setSelectedItem(item);
}

void TsellForm::refreshTableItem(TIconListItem* item) {
    if (item) tableListView->refreshTableItem(item, eatId(), Date());
}

void TsellForm::refreshItemOf(int tableId) { refreshTableItem(findTableItem(tableId)); }

TTableItem* TsellForm::findTableItem(int tableId) const { return tableListView->findTableItem(tableId); }

void TsellForm::floorClick() { showTables(); }

void TsellForm::selectTable(int tableId) {
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table) return;
    if (floorButtons->setFloor(table->getFloor())) showTables();
    // Selecting in code fires nothing, so the selection handler runs here.
    tableListView->setSelectedItem(findTableItem(tableId));
    selectedTableId = tableId;
    showTableInfo();
}

void TsellForm::tableListViewSelectItem(TIconListItem* item, bool selected) {
    if (!item) return;
    selectedTableId = item->dataId();
    if (selected) {
        showTableInfo();  // may drop the item from the map
    } else {
        saveEditedRemark();
        switchTable->setEnabled(false);
        cancelTable->setEnabled(false);
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
    showMenuInsList({});
    tableInforArea->setEnabled(true);
    std::optional<TPOTable> table = TTableMgr::getTableById(selectedTableId);
    if (!table) return;
    tableInforArea->setTitle(table->getTableName());

    QString state = tableState(selectedTableId, eatId());
    if (TTableItem* item = findTableItem(selectedTableId)) {
        if (state == stateDisabled)
            tableListView->removeItem(item);
        else
            item->setImageIndex(TTableMgr::getStateImageIndex(state));
    }
    setInfoControls(true, true, true, true, true, true, true);
    tableInsDescription->clear();
    startRepastTimeLable->clear();
    remarkTableInsId = 0;
    bool inUse = state == TPOTableIns::stateInUse;
    switchTable->setEnabled(inUse);
    cancelTable->setEnabled(inUse);

    if (inUse || state == TPOTableIns::stateCheckedOut) {
        if (inUse)
            setInfoControls(false, true, false, true, true, true, true);
        else
            setInfoControls(false, false, true, false, false, false, false);
        if (std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, state)) {
            tableInsDescription->setPlainText(ins->getDescription());
            startRepastTimeLable->setText(formatDateTime("hh点nn分", ins->getStartTime()));
            showMenuInsList(TMenuInsMgr::getTableInsMenuIns(ins->getId()));
            if (inUse) remarkTableInsId = ins->getId();
        }
    } else if (state == TPOReserveTable::stateBooked) {
        setInfoControls(true, false, false, false, false, false, false);
        if (std::optional<TPOReserveTable> booking =
                TReserveTableMgr::getBookedReserveTable(selectedTableId, eatId(), Date())) {
            TMenuInsList lines = TMenuInsMgr::getReserveTableMenuIns(booking->getId());
            if (lines.empty()) lines = TMenuInsMgr::getReserveMenuIns(booking->getReserveId());
            showMenuInsList(lines);
        }
    } else if (state == stateFree) {
        setInfoControls(true, false, false, false, false, false, false);
    } else {
        // A table disabled while it was shown: nothing may be done with it.
        setInfoControls(false, false, false, false, false, false, false);
    }
    tableInsDescription->document()->setModified(false);
}

void TsellForm::saveEditedRemark() {
    if (remarkTableInsId == 0 || !tableInsDescription->document()->isModified()) return;
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsById(remarkTableInsId);
    if (!ins || ins->getState() != TPOTableIns::stateInUse) {
        // Checked out or cancelled elsewhere meanwhile: the remark has no place to go.
        tableInsDescription->document()->setModified(false);
        return;
    }
    ins->setDescription(tableInsDescription->toPlainText());
    // On failure the manager said so; the edit stays marked and is tried again.
    if (TTableInsMgr::update(*ins)) tableInsDescription->document()->setModified(false);
}

void TsellForm::startRepastBtnClick() {
    openTable(selectedTableId);
    showTableInfo();
}

void TsellForm::openTable(int tableId, const std::optional<TPOReserveTable>& booking) {
    QString state = tableState(tableId, eatId());
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table || state == stateDisabled) {
        // A disabled table is never opened: no map shows it, so it could never be
        // checked out.
        refreshItemOf(tableId);
        return;
    }
    if (state == TPOTableIns::stateInUse) {
        showMessage("台桌(" + table->getTableName() + ")已被占用!");
        refreshItemOf(tableId);
        return;
    }
    std::optional<TPOReserveTable> taken = booking;
    if (!taken && state == TPOReserveTable::stateBooked)
        taken = TReserveTableMgr::getBookedReserveTable(tableId, eatId(), Date());

    TPOTableIns ins;
    ins.setTableId(tableId);
    ins.setTableName(table->getTableName());
    ins.setStartTime(Now());
    ins.setState(TPOTableIns::stateInUse);
    ins.setDescription(tableInsDescription->toPlainText());
    if (taken) ins.setReserveTableId(taken->getId());
    // The booking is taken over only once the table really got its instance.
    if (TTableInsMgr::insert(ins) != 0 && taken) {
        taken->setState(TPOReserveTable::stateDone);
        if (TReserveTableMgr::update(*taken)) {
            TReserveMgr::completeReserveIfAllUsed(taken->getReserveId());
            TMenuInsMgr::copyReservedMenuIns(taken->getId(), ins.getId());
        }
    }
    refreshItemOf(tableId);
}

void TsellForm::clearTableBtnClick() {
    if (tableState(selectedTableId, eatId()) != TPOTableIns::stateCheckedOut) return;
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateCheckedOut);
    if (!ins) return;
    ins->setEndTime(Now());
    ins->setState(TPOTableIns::stateCleared);
    if (!TTableInsMgr::update(*ins)) return;
    refreshItemOf(selectedTableId);
    showTableInfo();
}

void TsellForm::switchTableClick() {
    saveEditedRemark();
    // Checked out at the cashier meanwhile: nothing left to switch.
    if (!TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateInUse)) return;
    TtableSelecterForm selecter;
    selecter.setSingle();
    selecter.setFloor(floorButtons->currentFloor());
    std::vector<TPOTable> chosen = selecter.getSelectTables();
    if (chosen.empty()) return;
    const TPOTable& target = chosen.front();
    if (tableState(target.getId(), eatId()) != stateFree) {
        showMessage(QStringLiteral("你选择桌台不是处于空闲状态!"));
        return;
    }
    int oldTableId = selectedTableId;
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(oldTableId, TPOTableIns::stateInUse);
    if (!ins) return;
    ins->setTableId(target.getId());
    ins->setTableName(target.getTableName());
    if (!TTableInsMgr::update(*ins)) return;
    showMessage(QStringLiteral("转台成功!"));
    refreshItemOf(oldTableId);
    selectTable(target.getId());
}

void TsellForm::cancelTableClick() {
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateInUse);
    if (!ins) return;
    if (!askYesNo("(" + ins->getTableName() + ")是否真的要退台?")) return;
    ins->setState(TPOTableIns::stateGivenBack);
    if (!TTableInsMgr::update(*ins)) return;
    showMessage(QStringLiteral("退台成功!"));
    showTableInfo();
    refreshItemOf(selectedTableId);
}

void TsellForm::refreshTableClick() { showTables(); }

void TsellForm::attribTableClick() {
    if (TTableItem* item = tableListView->selectedTableItem()) TtableAttribForm::showReadOnly(item);
}

void TsellForm::tableListViewDblClick() {
    TTableItem* item = tableListView->selectedTableItem();
    if (!item) return;
    tableBatGrid->addTable(item->getTableId(), tableState(item->getTableId(), eatId()));
}

void TsellForm::clearTableBatBtnClick() { tableBatGrid->removeSelectedRow(); }

void TsellForm::mergeBtnClick() {
    saveEditedRemark();
    std::vector<TPOTable> batch = tableBatGrid->tables();
    auto notInUse = [](const TPOTable& t) { showMessage("台桌(" + t.getTableName() + ")不是在用状态!"); };
    for (const TPOTable& t : batch) {
        if (tableState(t.getId(), eatId()) != TPOTableIns::stateInUse) return notInUse(t);
    }
    TtableSelecterForm selecter;
    selecter.setSingle();
    selecter.setFloor(floorButtons->currentFloor());
    std::vector<TPOTable> chosen = selecter.getSelectTables();
    if (chosen.empty()) return;

    std::vector<TPOTableIns> instances;
    for (const TPOTable& t : batch) {
        std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(t.getId(), TPOTableIns::stateInUse);
        if (!ins) return notInUse(t);  // checked out while the selector was open
        instances.push_back(*ins);
    }
    std::optional<TPOTable> target = TTableMgr::getTableById(chosen.front().getId());
    if (!target) return;
    if (tableState(target->getId(), eatId()) != stateFree && findTableRow(*tableBatGrid, target->getId()) == 0) {
        showMessage(QStringLiteral("您选择的台桌不是处于空闲状态!"));
        return;
    }
    if (!TTableInsMgr::mergeTables(instances, *target)) return;
    selectTable(target->getId());
    tableBatGrid->clearTables();
}

void TsellForm::eatTimerTimer() { refreshEat(); }

void TsellForm::MTimerTimer() { showTables(); }

void TsellForm::closeEvent(QCloseEvent* event) {
    runGuarded([this] { saveEditedRemark(); });
    eatTimer->stop();
    MTimer->stop();
    TparentForm::closeEvent(event);
}
