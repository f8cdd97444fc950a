#include "service/TollStationUnit.h"

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

#include "backoffice/TableAttribUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/ReservePanelUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapPanelUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "reservation/ReserveUnit.h"
#include "service/ReckoningUnit.h"

namespace {
QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedHeight(25);
    return b;
}
}  // namespace

TtollStationForm::TtollStationForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("收银台"));
    resize(844, 694);
    showMaximizedChild = true;

    leftPanel = new TTableMapPanel(this);
    leftPanel->setObjectName(QStringLiteral("leftPanel"));
    tablePanel = leftPanel->tablePanel;
    tableLabe = leftPanel->tableLabe;
    stateImage = leftPanel->stateImage;
    GroupBox1 = leftPanel->GroupBox1;
    eatLable = leftPanel->eatLable;
    floorGroupBox = leftPanel->floorGroupBox;
    floorButtons = leftPanel->floorButtons;
    tableListView = leftPanel->tableListView;
    tableInforArea = new TTableInfoArea(leftPanel);
    GroupBox4 = tableInforArea->GroupBox4;
    startRepastTimeLable = tableInforArea->startRepastTimeLable;
    GroupBox3 = tableInforArea->GroupBox3;
    tableInsDescription = tableInforArea->tableInsDescription;
    tableInsDescription->setReadOnly(true);
    tableMenuInsGrid = tableInforArea->tableMenuInsGrid;
    leftPanel->addBelow(tableInforArea);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(leftPanel, 1);
    row->addWidget(buildRightPanel());

    tablePopupMenu = new QMenu(this);
    reckoningMenu = tablePopupMenu->addAction(QStringLiteral("结帐"));
    refreshTable = tablePopupMenu->addAction(QStringLiteral("刷新"));
    attribTable = tablePopupMenu->addAction(QStringLiteral("属性"));
    // Only a table in use can be checked out; none is selected yet.
    reckoningMenu->setEnabled(false);
    auto guardedAction = [this](QAction* a, void (TtollStationForm::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    guardedAction(reckoningMenu, &TtollStationForm::reckoningMenuClick);
    guardedAction(refreshTable, &TtollStationForm::refreshTableClick);
    guardedAction(attribTable, &TtollStationForm::attribTableClick);
    connect(tableListView, &TIconListView::contextMenuRequested, this,
            [this](const QPoint&, const QPoint& globalPos) { tablePopupMenu->popup(globalPos); });
    connect(tableListView, &TIconListView::itemSelected, this, [this](TIconListItem* item, bool selected) {
        runGuarded([&] { tableListViewSelectItem(item, selected); });
    });
    connect(tableListView, &TIconListView::doubleClicked, this,
            [this] { runGuarded([this] { tableListViewDblClick(); }); });
    connect(floorButtons, &TFloorButtons::floorClicked, this, [this] { runGuarded([this] { floorClick(); }); });
    auto guardedClick = [this](QPushButton* b, void (TtollStationForm::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    guardedClick(reckoningBatBtn, &TtollStationForm::reckoningBatBtnClick);
    guardedClick(clearTableBatBtn, &TtollStationForm::clearTableBatBtnClick);
    guardedClick(viewReserveBtn, &TtollStationForm::viewReserveBtnClick);

    eatTimer = new QTimer(this);
    eatTimer->setInterval(1000);
    connect(eatTimer, &QTimer::timeout, this, [this] { runGuarded([this] { eatTimerTimer(); }); });
    MTimer = new QTimer(this);
    MTimer->setInterval(60000);
    connect(MTimer, &QTimer::timeout, this, [this] { runGuarded([this] { MTimerTimer(); }); });

    runGuarded([this] {
        floorButtons->setFloor(1);
        refreshEat();
        showReserves();
        showReserveTables();
        showTables();
        initGrids();
    });
    eatTimer->start();
    MTimer->start();
}

QWidget* TtollStationForm::buildRightPanel() {
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
    reckoningBatBtn = button(QStringLiteral("结帐"), GroupBox5);
    clearTableBatBtn = button(QStringLiteral("清除"), GroupBox5);
    batchButtons->addWidget(reckoningBatBtn);
    batchButtons->addWidget(clearTableBatBtn);
    batch->addLayout(batchButtons);
    column->addWidget(GroupBox5, 1);

    reservePanel = new TReservePanel(rightPanel);
    Panel4 = reservePanel->Panel4;
    reserveGrid = reservePanel->reserveGrid;
    reTableGrid = reservePanel->reTableGrid;
    viewReserveBtn = button(QStringLiteral("查看"), reservePanel);
    reservePanel->addButtons({viewReserveBtn});
    column->addWidget(reservePanel, 2);

    GroupBox9 = new QGroupBox(QStringLiteral("台桌空闲信息"), rightPanel);
    GroupBox9->setFixedHeight(60);
    column->addWidget(GroupBox9);
    return rightPanel;
}

void TtollStationForm::initGrids() {
    tableMenuInsGrid->initGrid();
    reservePanel->initGrids();
}

const std::optional<TPOEat>& TtollStationForm::currentEat() const { return leftPanel->currentEat; }

int TtollStationForm::eatId() const { return leftPanel->eatId(); }

void TtollStationForm::refreshEat() { leftPanel->refreshEat(); }

void TtollStationForm::showTables() {
    tableListView->showFloor(floorButtons->currentFloor(), eatId(), Date());
    // The table shown in the info area stays selected on its map.
    if (TTableItem* item = findTableItem(selectedTableId)) tableListView->setSelectedItem(item);
}

void TtollStationForm::refreshTableItem(TIconListItem* item) {
    if (item) tableListView->refreshTableItem(item, eatId(), Date());
}

TTableItem* TtollStationForm::findTableItem(int tableId) const { return tableListView->findTableItem(tableId); }

void TtollStationForm::floorClick() { showTables(); }

void TtollStationForm::tableListViewSelectItem(TIconListItem* item, bool selected) {
    if (!item) return;
    selectedTableId = item->dataId();
    const QString state = TTableMgr::getTableState(selectedTableId, eatId(), Date());
    reckoningMenu->setEnabled(state == TPOTableIns::stateInUse);
    if (selected) showTableInfo();
}

void TtollStationForm::showTableInfo() {
    if (selectedTableId == 0) return;
    const QString state = tableInforArea->showTable(selectedTableId, eatId(), Date());
    if (!state.isEmpty()) tableListView->showItemState(findTableItem(selectedTableId), state);
}

void TtollStationForm::refreshShown() {
    showTableInfo();
    showTables();
    reckoningMenu->setEnabled(TTableMgr::getTableState(selectedTableId, eatId(), Date()) == TPOTableIns::stateInUse);
    tableBatGrid->refreshStates(eatId(), Date());
}

void TtollStationForm::reckoningMenuClick() {
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(selectedTableId, TPOTableIns::stateInUse);
    if (!ins) {
        // Cleared or checked out at another station since it was selected.
        std::optional<TPOTable> table = TTableMgr::getTableById(selectedTableId);
        showTableNotInUse(table ? table->getTableName() : QString());
        return refreshShown();
    }
    std::vector<TPOTableIns> list{*ins};
    TReckoningForm reckoning;
    reckoning.showReckoning(list);
    // Written or refused (another station changed the table meanwhile): show what is
    // now stored.
    refreshShown();
}

void TtollStationForm::tableListViewDblClick() {
    TTableItem* item = tableListView->selectedTableItem();
    if (!item) return;
    tableBatGrid->addTable(item->getTableId(), TTableMgr::getTableState(item->getTableId(), eatId(), Date()));
}

void TtollStationForm::clearTableBatBtnClick() { tableBatGrid->removeSelectedRow(); }

void TtollStationForm::reckoningBatBtnClick() {
    if (tableBatGrid->tableCount() == 0) {
        showMessage(QStringLiteral("请选择台桌!"));
        return;
    }
    std::optional<std::vector<TPOTableIns>> instances = inUseInstances(tableBatGrid->tables());
    if (!instances) return refreshShown();
    TReckoningForm reckoning;
    const bool written = reckoning.showReckoning(*instances);
    refreshShown();
    if (written) tableBatGrid->clearTables();
}

void TtollStationForm::refreshTableClick() { refreshShown(); }

void TtollStationForm::attribTableClick() {
    if (TTableItem* item = tableListView->selectedTableItem()) TtableAttribForm::showReadOnly(item);
}

void TtollStationForm::showReserves() { reservePanel->showReserves(eatId(), Date()); }

void TtollStationForm::showReserveTables() { reservePanel->showReserveTables(); }

void TtollStationForm::viewReserveBtnClick() {
    reservePanel->viewSelectedReserve(eatId(), Date(), [](int reserveId) {
        TreserveForm form;
        form.setReadOnly();
        form.loadReserve(reserveId);
    });
}

void TtollStationForm::eatTimerTimer() { refreshEat(); }

void TtollStationForm::MTimerTimer() {
    refreshEat();
    showTables();
    tableBatGrid->refreshStates(eatId(), Date());
    showReserves();
    showReserveTables();
}

void TtollStationForm::closeEvent(QCloseEvent* event) {
    eatTimer->stop();
    MTimer->stop();
    TparentForm::closeEvent(event);
}
