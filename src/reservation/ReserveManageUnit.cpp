#include "reservation/ReserveManageUnit.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "backoffice/TableAttribUnit.h"
#include "data/POReserveTableUnit.h"
#include "data/POReserveUnit.h"
#include "data/POTableInsUnit.h"
#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/ReserveViewAreaUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Errors.h"
#include "platform/StringGrid.h"
#include "reservation/ReserveUnit.h"

namespace {
const std::vector<int> listWidths = {28, 80, 56, 28, 28};
const int guestColumn = 1;
const int mapWidth = 601;
}

TreserveManageForm::TreserveManageForm(QWidget* parent) : TparentForm(parent) {
    buildLayout();
    reserveStringGrid->setTitles({"编号", "客户", "时间", "餐次", "桌数"});
    reserveStringGrid->setColWidths(listWidths);
    runGuarded([this] {
        viewArea->loadEats();
        loadReserveList();
        refreshTables();
    });
}

void TreserveManageForm::buildLayout() {
    setWindowTitle(QStringLiteral("预订管理"));
    showMaximizedChild = true;
    resize(854, 650);

    // 140 px high, so that a sixth week row of the calendar shows whole.
    viewArea = new TReserveViewArea(140, this);
    yearComboBox = viewArea->yearComboBox;
    monthComboBox = viewArea->monthComboBox;
    Calendar = viewArea->Calendar;
    eatComboBox = viewArea->eatComboBox;
    floorButtons = viewArea->floorButtons;
    tableListView = viewArea->tableListView;

    PopupMenu = new QMenu(this);
    reserveMenu = PopupMenu->addAction(QStringLiteral("预定"));
    reserveInforMenu = PopupMenu->addAction(QStringLiteral("预定信息"));
    tableAttribMenu = PopupMenu->addAction(QStringLiteral("属性"));

    selectArea = new QWidget(this);
    auto* list = new QVBoxLayout(selectArea);
    list->setContentsMargins(0, 0, 0, 0);
    Panel3 = new QLabel(QStringLiteral("预订列表"), selectArea);
    Panel3->setFixedHeight(27);
    Panel3->setAlignment(Qt::AlignCenter);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    list->addWidget(Panel3);
    reserveStringGrid = new TStringGrid(5, selectArea);
    reserveStringGrid->setFixedHeight(331);
    list->addWidget(reserveStringGrid);
    GroupBox4 = newCommandBox(selectArea, 44,
                              {{&reserveBtn, QStringLiteral("预订")},
                               {&changeReserveBtn, QStringLiteral("修改")},
                               {&BitBtn3, QStringLiteral("退订")}});
    // The buttons may narrow down to their captions: on a narrow screen the list's
    // columns, not the buttons, decide how wide the list is.
    for (QPushButton* button : {reserveBtn, changeReserveBtn, BitBtn3})
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
    list->addWidget(GroupBox4);
    list->addStretch();

    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    // The map stands at the left, 601 px wide, and the list takes the rest; on a
    // narrow screen the map gives up what the list's columns need (keepColumnsInSight).
    viewArea->setMaximumWidth(mapWidth);
    auto* sides = new QHBoxLayout;
    sides->addWidget(viewArea, 100);
    sides->addWidget(selectArea, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 0);
    page->addLayout(sides, 1);
    page->addWidget(StatusBar);

    MTimer = new QTimer(this);
    MTimer->setInterval(60000);
    MTimer->start();

    auto guarded = [this](auto handler) { return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); }; };
    connect(tableListView, &TIconListView::itemSelected, this, [this](TIconListItem* item, bool selected) {
        runGuarded([=] { tableListViewSelectItem(item, selected); });
    });
    connect(tableListView, &TIconListView::contextMenuRequested, this, [this](const QPoint&, const QPoint& global) {
        for (QAction* a : PopupMenu->actions())
            if (a->isVisible()) return PopupMenu->popup(global);
    });
    connect(reserveMenu, &QAction::triggered, this, guarded(&TreserveManageForm::reserveMenuClick));
    connect(tableAttribMenu, &QAction::triggered, this, guarded(&TreserveManageForm::tableAttribMenuClick));
    connect(reserveBtn, &QPushButton::clicked, this, guarded(&TreserveManageForm::reserveBtnClick));
    connect(changeReserveBtn, &QPushButton::clicked, this, guarded(&TreserveManageForm::changeReserveBtnClick));
    connect(MTimer, &QTimer::timeout, this, guarded(&TreserveManageForm::MTimerTimer));
}

void TreserveManageForm::loadReserveList() {
    reserveStringGrid->setRowCount(1);  // continuation rows must not keep an earlier reading's texts
    int row = 0;
    int position = 0;
    for (const TPOReserve& reserve : TReserveMgr::getReservesByState(TPOReserve::stateBooked)) {
        ++position;
        const QStringList summary = TReserveTableMgr::getBookedSummary(reserve.getId());
        const auto record = std::make_shared<TPOReserve>(reserve);
        for (int i = 0; i + 2 < summary.size(); i += 3) {
            reserveStringGrid->setRowCount(++row + 1);
            if (i == 0) {
                reserveStringGrid->setCell(0, row, QString::number(position));
                reserveStringGrid->setCell(1, row, reserve.getGuestName());
            }
            reserveStringGrid->setCell(2, row, summary[i]);
            reserveStringGrid->setCell(3, row, summary[i + 1]);
            reserveStringGrid->setCell(4, row, summary[i + 2]);
            reserveStringGrid->setObject(row, record);
        }
    }
    reserveStringGrid->setFixedRows(row > 0 ? 1 : 0);
    reserveStringGrid->fitColumns(listWidths);
    keepColumnsInSight();
}

// Room for every column, the guest's at its least width: only a long guest name, or
// a list long enough for its vertical scroll bar, makes it scroll sideways. Room for
// that bar as well would make the window too wide for a 1024 px screen.
void TreserveManageForm::keepColumnsInSight() {
    int width = 2 * reserveStringGrid->frameWidth();
    for (int col = 0; col < reserveStringGrid->colCount(); ++col)
        width += col == guestColumn ? std::min(reserveStringGrid->columnWidth(col), listWidths[size_t(col)])
                                    : reserveStringGrid->columnWidth(col);
    reserveStringGrid->setMinimumWidth(width);
}

void TreserveManageForm::refreshTables() { viewArea->refreshTables(); }

void TreserveManageForm::showPopupItems(bool reserve, bool reserveInfor, bool tableAttrib) {
    reserveMenu->setVisible(reserve);
    reserveInforMenu->setVisible(reserveInfor);
    tableAttribMenu->setVisible(tableAttrib);
}

void TreserveManageForm::tableListViewSelectItem(TIconListItem* item, bool selected) {
    if (!selected || !item) {
        showPopupItems(false, false, false);
        return;
    }
    const QString state =
        TTableMgr::getTableState(item->dataId(), viewArea->currentEat().getId(), viewArea->calendarDate());
    if (state == TPOReserveTable::stateBooked)
        showPopupItems(false, true, true);
    else if (state == "TS001")
        showPopupItems(true, false, true);
    else  // in use, or checked out and not yet cleared: not free to book
        showPopupItems(false, false, true);
}

void TreserveManageForm::prepareDialog(TreserveForm& dialog) const {
    dialog.setEatComboBox(eatComboBox);
    dialog.setYearComboBox(yearComboBox);
    dialog.setCalendarDate(Calendar);
}

void TreserveManageForm::afterDialog() {
    loadReserveList();
    refreshTables();
}

void TreserveManageForm::reserveBtnClick() {
    TreserveForm dialog(this);
    prepareDialog(dialog);
    dialog.showExclusive();
    afterDialog();
}

void TreserveManageForm::reserveMenuClick() {
    TTableItem* item = tableListView->selectedTableItem();
    if (!item) return;
    TreserveForm dialog(this);
    prepareDialog(dialog);
    dialog.reserveTable(item->getTableId());
    afterDialog();
}

void TreserveManageForm::changeReserveBtnClick() {
    const int row = reserveStringGrid->row();
    const auto reserve = row >= 1 ? reserveStringGrid->object<TPOReserve>(row) : nullptr;
    if (!reserve) return;
    TreserveForm dialog(this);
    prepareDialog(dialog);
    dialog.loadReserve(reserve->getId());
    afterDialog();
}

void TreserveManageForm::tableAttribMenuClick() {
    if (TTableItem* item = tableListView->selectedTableItem()) TtableAttribForm::showReadOnly(item);
}

void TreserveManageForm::MTimerTimer() { refreshTables(); }
