#include "service/TableServiceUnit.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "backoffice/TableAttribUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/ReservePanelUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableInfoAreaUnit.h"
#include "frame/TableMapPanelUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Errors.h"
#include "reservation/ReserveUnit.h"

TtableServiceForm::TtableServiceForm(QWidget* parent) : TparentForm(parent) { showMaximizedChild = true; }

QPushButton* TtableServiceForm::commandButton(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedHeight(25);
    return b;
}

void TtableServiceForm::onClick(QPushButton* b, std::function<void()> handler) {
    connect(b, &QPushButton::clicked, this, [handler] { runGuarded(handler); });
}

void TtableServiceForm::onTriggered(QAction* a, std::function<void()> handler) {
    connect(a, &QAction::triggered, this, [handler] { runGuarded(handler); });
}

void TtableServiceForm::buildMapSide() {
    leftPanel = new TTableMapPanel(this);
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
    tableMenuInsGrid = tableInforArea->tableMenuInsGrid;
    leftPanel->addBelow(tableInforArea);
}

QVBoxLayout* TtableServiceForm::buildRightSide(const QList<Command>& batchCommands,
                                               const QList<Command>& reserveCommands) {
    rightPanel = new QWidget(this);
    rightPanel->setFixedWidth(246);
    auto* column = new QVBoxLayout(rightPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    // The window's buttons, then the shared one, in a row.
    auto makeButtons = [this](const QList<Command>& commands, QPushButton** shared, const QString& sharedCaption,
                              QWidget* parent) {
        QList<QPushButton*> buttons;
        for (const Command& c : commands) {
            *c.button = commandButton(c.caption, parent);
            onClick(*c.button, c.handler);
            buttons << *c.button;
        }
        *shared = commandButton(sharedCaption, parent);
        return buttons << *shared;
    };

    GroupBox5 = new QGroupBox(QStringLiteral("批量处理"), rightPanel);
    auto* batch = new QVBoxLayout(GroupBox5);
    tableBatGrid = new TTableBatchGrid(GroupBox5);
    batch->addWidget(tableBatGrid, 1);
    auto* batchButtons = new QHBoxLayout;
    for (QPushButton* b : makeButtons(batchCommands, &clearTableBatBtn, QStringLiteral("清除"), GroupBox5))
        batchButtons->addWidget(b);
    batch->addLayout(batchButtons);
    column->addWidget(GroupBox5, 1);

    reservePanel = new TReservePanel(rightPanel);
    Panel4 = reservePanel->Panel4;
    reserveGrid = reservePanel->reserveGrid;
    reTableGrid = reservePanel->reTableGrid;
    reservePanel->addButtons(makeButtons(reserveCommands, &viewReserveBtn, QStringLiteral("查看"), reservePanel));
    column->addWidget(reservePanel, 2);

    onClick(clearTableBatBtn, [this] { clearTableBatBtnClick(); });
    onClick(viewReserveBtn, [this] { viewReserveBtnClick(); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(leftPanel, 1);
    row->addWidget(rightPanel);
    return column;
}

void TtableServiceForm::startService() {
    onTriggered(refreshTable, [this] { refreshTableClick(); });
    onTriggered(attribTable, [this] { attribTableClick(); });
    connect(tableListView, &TIconListView::contextMenuRequested, this,
            [this](const QPoint&, const QPoint& globalPos) { tablePopupMenu->popup(globalPos); });
    connect(tableListView, &TIconListView::itemSelected, this, [this](TIconListItem* item, bool selected) {
        mapSelectionCleared = !selected;
        runGuarded([&] { tableListViewSelectItem(item, selected); });
    });
    whenBroughtToFront([this] { runGuarded([this] { broughtToFront(); }); });
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
        showReserves();
        showReserveTables();
        showTables();
        initGrids();
    });
    eatTimer->start();
    MTimer->start();
}

void TtableServiceForm::initGrids() {
    tableMenuInsGrid->initGrid();
    reservePanel->initGrids();
}

const std::optional<TPOEat>& TtableServiceForm::currentEat() const { return leftPanel->currentEat; }

int TtableServiceForm::eatId() const { return leftPanel->eatId(); }

void TtableServiceForm::refreshEat() { leftPanel->refreshEat(); }

void TtableServiceForm::showTables() {
    tableListView->showFloor(floorButtons->currentFloor(), eatId(), Date());
    // The table shown in the info area stays selected on its map, unless the user
    // took the selection away.
    if (!mapSelectionCleared) selectOnMap(selectedTableId);
}

void TtableServiceForm::selectOnMap(int tableId) {
    TTableItem* item = findTableItem(tableId);
    tableListView->setSelectedItem(item);
    if (item) mapSelectionCleared = false;
}

void TtableServiceForm::broughtToFront() {
    refreshEat();
    refreshShown();
    showReserves();
    showReserveTables();
}

void TtableServiceForm::refreshTableItem(TIconListItem* item) {
    if (item) tableListView->refreshTableItem(item, eatId(), Date());
}

TTableItem* TtableServiceForm::findTableItem(int tableId) const { return tableListView->findTableItem(tableId); }

void TtableServiceForm::floorClick() { showTables(); }

void TtableServiceForm::refreshShown() {
    showTableInfo();
    showTables();
    tableBatGrid->refreshStates(eatId(), Date());
}

void TtableServiceForm::tableListViewDblClick() {
    TTableItem* item = tableListView->selectedTableItem();
    if (!item) return;
    tableBatGrid->addTable(item->getTableId(), TTableMgr::getTableState(item->getTableId(), eatId(), Date()));
}

void TtableServiceForm::clearTableBatBtnClick() { tableBatGrid->removeSelectedRow(); }

void TtableServiceForm::refreshTableClick() { refreshShown(); }

void TtableServiceForm::attribTableClick() {
    if (TTableItem* item = tableListView->selectedTableItem()) TtableAttribForm::showReadOnly(item);
}

void TtableServiceForm::showReserves() { reservePanel->showReserves(eatId(), Date()); }

void TtableServiceForm::showReserveTables() { reservePanel->showReserveTables(); }

void TtableServiceForm::viewReserveBtnClick() {
    reservePanel->viewSelectedReserve(eatId(), Date(), [](int reserveId) {
        TreserveForm view;
        view.setReadOnly();
        view.loadReserve(reserveId);
    });
}

void TtableServiceForm::eatTimerTimer() { refreshEat(); }

void TtableServiceForm::MTimerTimer() {
    showTables();
    tableBatGrid->refreshStates(eatId(), Date());
    showReserves();
    showReserveTables();
}

void TtableServiceForm::closeEvent(QCloseEvent* event) {
    eatTimer->stop();
    MTimer->stop();
    TparentForm::closeEvent(event);
}
