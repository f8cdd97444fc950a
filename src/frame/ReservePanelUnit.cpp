#include "frame/ReservePanelUnit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/StringGrid.h"

namespace {
const std::vector<int> reTableWidths{30, 60, 40, 55, 30};
}

TReservePanel::TReservePanel(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    Panel4 = new QLabel(QStringLiteral("预订例表"), this);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel4->setFixedHeight(25);
    column->addWidget(Panel4);
    reserveGrid = new TStringGrid(4, this);
    column->addWidget(reserveGrid, 1);
    buttonRow = new QHBoxLayout;
    column->addLayout(buttonRow);
    reTableGrid = new TStringGrid(5, this);
    column->addWidget(reTableGrid, 1);
    initGrids();
    // A click shows the tables also when it selects the row already selected.
    auto showTables = [this] { runGuarded([this] { showReserveTables(); }); };
    connect(reserveGrid, &QTableWidget::cellClicked, this, showTables);
    connect(reserveGrid, &TStringGrid::rowSelected, this, showTables);
}

void TReservePanel::addButtons(const QList<QPushButton*>& buttons) {
    for (QPushButton* b : buttons) buttonRow->addWidget(b);
}

void TReservePanel::initGrids() {
    reserveGrid->setColCount(4);
    reserveGrid->setTitles({"编号", "客户名称", "桌数", "状态"});
    reserveGrid->setColWidths({30, 90, 30, 50});
    // The widths were set for a smaller font: no state text may end in "…".
    QStringList reserveStates;
    for (const QString& code : {TPOReserve::stateBooked, TPOReserve::stateCompleted, TPOReserve::stateNoShow,
                                TPOReserve::stateCancelled})
        reserveStates << TPOReserve::getStateName(code);
    reserveGrid->fitTexts(3, reserveStates);
    reTableGrid->setColCount(5);
    reTableGrid->setTitles({"编号", "桌台名称", "状态", "日期", "餐次"});
    reTableGrid->setColWidths(reTableWidths);
    // The panel is narrow: the table name takes what the other columns leave, so all
    // five stay in sight; a longer name is cut and shows whole as its tooltip.
    reTableGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (TStringGrid* grid : {reserveGrid, reTableGrid}) grid->setFixedCol(true);
}

void TReservePanel::showReserves(int eatId, TDateTime date) {
    if (eatId == 0) return;
    const std::optional<TPOReserve> before = selectedReserve();
    int keep = 0;
    std::vector<TPOReserve> reserves = TReserveMgr::getReservesByMeal(eatId, date);
    reserveGrid->setRowCount(int(reserves.size()) + 1);
    for (int row = 1; row <= int(reserves.size()); ++row) {
        const TPOReserve& reserve = reserves[size_t(row - 1)];
        reserveGrid->setCell(0, row, QString::number(row));
        reserveGrid->setCell(1, row, reserve.getGuestName());
        reserveGrid->setCell(2, row, QString::number(TReserveTableMgr::countReserveTables(reserve.getId(), eatId, date)));
        reserveGrid->setCell(3, row, TPOReserve::getStateName(reserve.getState()));
        reserveGrid->setObject(row, std::make_shared<TPOReserve>(reserve));
        if (before && before->getId() == reserve.getId()) keep = row;
    }
    reserveGrid->setFixedRows(reserves.empty() ? 0 : 1);
    // The rows are ordered by state, so a refill may move the chosen reservation;
    // "开桌" and "查看" must still act on the one the user chose.
    if (keep) reserveGrid->setRow(keep);
}

std::optional<TPOReserve> TReservePanel::selectedReserve() const {
    const int row = reserveGrid->row();
    std::shared_ptr<TPOReserve> reserve = reserveGrid->object<TPOReserve>(row);
    if (row < 1 || row >= reserveGrid->rowCount() || !reserve) return std::nullopt;
    return *reserve;
}

void TReservePanel::showReserveTables() {
    std::optional<TPOReserve> reserve = selectedReserve();
    if (!reserve) return;
    std::vector<TPOReserveTable> tables = TReserveTableMgr::getReserveTablesByReserve(reserve->getId());
    reTableGrid->setRowCount(int(tables.size()) + 1);
    for (int row = 1; row <= int(tables.size()); ++row) {
        const TPOReserveTable& table = tables[size_t(row - 1)];
        reTableGrid->setCell(0, row, QString::number(row));
        reTableGrid->setCell(1, row, table.getTableName());
        reTableGrid->setCell(2, row, TPOReserveTable::getStateName(table.getState()));
        reTableGrid->setCell(3, row, formatDateTime("yyyy-MM-dd", table.getEatDate()));
        reTableGrid->setCell(4, row, table.getEat());
        reTableGrid->setObject(row, std::make_shared<TPOReserveTable>(table));
    }
    reTableGrid->setFixedRows(tables.empty() ? 0 : 1);
    // Each other column as wide as its texts need in this font, and no wider.
    reTableGrid->fitColumns(reTableWidths);
}

void TReservePanel::viewSelectedReserve(int eatId, TDateTime date, const std::function<void(int reserveId)>& view) {
    const std::optional<TPOReserve> reserve = selectedReserve();
    if (!reserve) return;
    view(reserve->getId());
    showReserves(eatId, date);
    showReserveTables();
}
