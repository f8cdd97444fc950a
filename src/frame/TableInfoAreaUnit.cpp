#include "frame/TableInfoAreaUnit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/MenuInsMgrUnit.h"
#include "data/POReserveTableUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "platform/Formats.h"

TTableInfoArea::TTableInfoArea(QWidget* parent) : QGroupBox(QStringLiteral("未选择桌台"), parent) {
    setStyleSheet(QStringLiteral("QGroupBox { color: red; }"));
    setFixedHeight(171);
    setEnabled(false);
    auto* row = new QHBoxLayout(this);

    timeColumn = new QVBoxLayout;
    GroupBox4 = new QGroupBox(QStringLiteral("开台时间"), this);
    GroupBox4->setStyleSheet(QStringLiteral("QGroupBox { color: palette(text); }"));
    auto* timeBox = new QHBoxLayout(GroupBox4);
    startRepastTimeLable = new QLabel(GroupBox4);
    timeBox->addWidget(startRepastTimeLable);
    timeColumn->addWidget(GroupBox4);
    timeColumn->addStretch(1);
    row->addLayout(timeColumn);

    GroupBox3 = new QGroupBox(QStringLiteral("备注信息"), this);
    GroupBox3->setStyleSheet(QStringLiteral("QGroupBox { color: palette(text); }"));
    auto* remarkBox = new QVBoxLayout(GroupBox3);
    tableInsDescription = new QPlainTextEdit(GroupBox3);
    remarkBox->addWidget(tableInsDescription);
    GroupBox3->setFixedWidth(150);
    row->addWidget(GroupBox3);

    tableMenuInsGrid = new TMenuInsGrid(this);
    row->addWidget(tableMenuInsGrid, 1);
}

void TTableInfoArea::addUnderTime(const QList<QPushButton*>& buttons) {
    int at = timeColumn->count() - 1;  // above the stretch
    for (QPushButton* b : buttons) timeColumn->insertWidget(at++, b);
}

void TTableInfoArea::addCommandColumn(const QList<QPushButton*>& buttons) {
    auto* column = new QVBoxLayout;
    for (QPushButton* b : buttons) column->addWidget(b);
    column->addStretch(1);
    static_cast<QHBoxLayout*>(layout())->insertLayout(layout()->count() - 1, column);
}

QString TTableInfoArea::showTable(int tableId, int eatId, TDateTime date, std::optional<TPOTableIns>* shownIns) {
    if (shownIns) shownIns->reset();
    tableMenuInsGrid->showMenuInsList({});
    setEnabled(true);
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table) return QString();
    setTitle(table->getTableName());
    tableInsDescription->clear();
    startRepastTimeLable->clear();

    const QString state = TTableMgr::getTableState(tableId, eatId, date);
    if (state == TPOTableIns::stateInUse || state == TPOTableIns::stateCheckedOut) {
        if (std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsByTableId(tableId, state)) {
            tableInsDescription->setPlainText(ins->getDescription());
            startRepastTimeLable->setText(formatDateTime("hh点nn分", ins->getStartTime()));
            tableMenuInsGrid->showMenuInsList(TMenuInsMgr::getTableInsMenuIns(ins->getId()));
            if (shownIns) *shownIns = ins;
        }
    } else if (state == TPOReserveTable::stateBooked) {
        if (std::optional<TPOReserveTable> booking = TReserveTableMgr::getBookedReserveTable(tableId, eatId, date)) {
            TMenuInsList lines = TMenuInsMgr::getReserveTableMenuIns(booking->getId());
            if (lines.empty()) lines = TMenuInsMgr::getReserveMenuIns(booking->getReserveId());
            tableMenuInsGrid->showMenuInsList(lines);
        }
    }
    return state;
}
