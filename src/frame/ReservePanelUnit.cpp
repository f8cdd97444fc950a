#include "frame/ReservePanelUnit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/StringGrid.h"

TReservePanel::TReservePanel(bool withOpenButton, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    Panel4 = new QLabel(QStringLiteral("预订例表"), this);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel4->setFixedHeight(25);
    column->addWidget(Panel4);

    reserveGrid = new TStringGrid(4, this);
    reserveGrid->setTitles({"编号", "客户名称", "桌数", "状态"});
    reserveGrid->setColWidths({30, 90, 30, 50});
    column->addWidget(reserveGrid, 1);

    auto* buttons = new QHBoxLayout;
    startRepastsBtn = withOpenButton ? new QPushButton(QStringLiteral("开桌"), this) : nullptr;
    viewReserveBtn = new QPushButton(QStringLiteral("查看"), this);
    for (QPushButton* b : {startRepastsBtn, viewReserveBtn}) {
        if (!b) continue;
        b->setFixedHeight(25);
        buttons->addWidget(b);
    }
    column->addLayout(buttons);

    reTableGrid = new TStringGrid(5, this);
    reTableGrid->setTitles({"编号", "桌台名称", "状态", "日期", "餐次"});
    reTableGrid->setColWidths({30, 60, 40, 55, 30});
    column->addWidget(reTableGrid, 1);
    for (TStringGrid* grid : {reserveGrid, reTableGrid}) grid->setFixedCol(true);

    // A click shows the tables even when it selects the row already selected.
    auto showTables = [this] { runGuarded([this] { showReserveTables(); }); };
    connect(reserveGrid, &QTableWidget::cellClicked, this, showTables);
    connect(reserveGrid, &TStringGrid::rowSelected, this, showTables);
}

void TReservePanel::showReserves(int eatId) {
    if (eatId == 0) return;
    const std::shared_ptr<TPOReserve> before = selectedReserve();
    const std::vector<TPOReserve> reserves = TReserveMgr::getReservesByMeal(eatId, Date());
    reserveGrid->setRowCount(int(reserves.size()) + 1);
    int keep = 0;
    for (size_t i = 0; i < reserves.size(); ++i) {
        const TPOReserve& r = reserves[i];
        const int row = int(i) + 1;
        reserveGrid->setCell(0, row, QString::number(row));
        reserveGrid->setCell(1, row, r.getGuestName());
        reserveGrid->setCell(2, row, QString::number(TReserveTableMgr::countReserveTables(r.getId(), eatId, Date())));
        reserveGrid->setCell(3, row, TPOReserve::getStateName(r.getState()));
        reserveGrid->setObject(row, std::make_shared<TPOReserve>(r));
        if (before && before->getId() == r.getId()) keep = row;
    }
    reserveGrid->setFixedRows(reserves.empty() ? 0 : 1);
    // The order follows states, so a refill may move the chosen reservation; the
    // commands must keep acting on the one the user chose.
    if (keep) reserveGrid->setRow(keep);
}

void TReservePanel::showReserveTables() {
    const std::shared_ptr<TPOReserve> reserve = selectedReserve();
    if (!reserve) return;
    const std::vector<TPOReserveTable> bookings = TReserveTableMgr::getReserveTablesByReserve(reserve->getId());
    reTableGrid->setRowCount(int(bookings.size()) + 1);
    for (size_t i = 0; i < bookings.size(); ++i) {
        const TPOReserveTable& b = bookings[i];
        const int row = int(i) + 1;
        reTableGrid->setCell(0, row, QString::number(row));
        reTableGrid->setCell(1, row, b.getTableName());
        reTableGrid->setCell(2, row, TPOReserveTable::getStateName(b.getState()));
        reTableGrid->setCell(3, row, formatDateTime("yyyy-MM-dd", b.getEatDate()));
        reTableGrid->setCell(4, row, b.getEat());
        reTableGrid->setObject(row, std::make_shared<TPOReserveTable>(b));
    }
    reTableGrid->setFixedRows(bookings.empty() ? 0 : 1);
}

std::shared_ptr<TPOReserve> TReservePanel::selectedReserve() const {
    const int row = reserveGrid->row();
    return row >= 1 && row < reserveGrid->rowCount() ? reserveGrid->object<TPOReserve>(row) : nullptr;
}

void TReservePanel::viewSelectedReserve(int eatId, const std::function<void(int reserveId)>& view) {
    const std::shared_ptr<TPOReserve> reserve = selectedReserve();
    if (!reserve) return;
    view(reserve->getId());
    showReserves(eatId);
    showReserveTables();
}
