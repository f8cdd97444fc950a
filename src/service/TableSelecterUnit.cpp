#include "service/TableSelecterUnit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/EatMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

TtableSelecterForm::TtableSelecterForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("台桌选器"));
    auto* outer = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    floorGroupBox = new QGroupBox(QStringLiteral("楼层"), this);
    auto* floorRow = new QHBoxLayout(floorGroupBox);
    floorButtons = new TFloorButtons(floorGroupBox);
    floorRow->addWidget(floorButtons);
    tableListView = new TTableListView(this);
    left->addWidget(floorGroupBox);
    left->addWidget(tableListView, 1);
    outer->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    Panel3 = new QLabel(QStringLiteral("已选择台桌"), this);
    Panel3->setAlignment(Qt::AlignCenter);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    Panel3->setMinimumHeight(25);
    selectTableGrid = new TStringGrid(2, this);
    selectTableGrid->setFixedWidth(170);
    confirmBtn = new QPushButton(QStringLiteral("确定"), this);
    cancelBtn = new QPushButton(QStringLiteral("取消"), this);
    confirmBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirmBtn);
    buttons->addWidget(cancelBtn);
    right->addWidget(Panel3);
    right->addWidget(selectTableGrid, 1);
    right->addLayout(buttons);
    outer->addLayout(right);

    connect(floorButtons, &TFloorButtons::floorClicked, this, [this] { runGuarded([this] { showTables(); }); });
    connect(tableListView, &TIconListView::doubleClicked, this,
            [this] { runGuarded([this] { tableListViewDblClick(); }); });
    connect(confirmBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmBtnClick(); }); });
    connect(cancelBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { cancelBtnClick(); }); });
    resize(748, 505);
    runGuarded([this] { FormCreate(); });
}

void TtableSelecterForm::FormCreate() {
    selectTableGrid->setColWidths({30, 120});
    selectTableGrid->setTitles({"编号", "名称"});
    single = true;
    // The meal period is fixed for the dialog's short life.
    std::optional<TPOEat> eat = TEatMgr::getEatByTime(Time());
    currentEatId = eat ? eat->getId() : 0;
    showTables();
}

void TtableSelecterForm::showEvent(QShowEvent* event) {
    TexclusiveForm::showEvent(event);
    runGuarded([this] { growToShowPlans(this, tableListView); });
}

void TtableSelecterForm::showTables() { tableListView->showFloor(floorButtons->currentFloor(), currentEatId, Date()); }

void TtableSelecterForm::setFloor(int floor) {
    if (floorButtons->setFloor(floor)) showTables();
}

QPushButton* TtableSelecterForm::getFloorButton(int floor) const { return floorButtons->getFloorButton(floor); }

QPushButton* TtableSelecterForm::currentFloorBtn() const { return floorButtons->currentFloorBtn(); }

void TtableSelecterForm::tableListViewDblClick() {
    TTableItem* item = tableListView->selectedTableItem();
    if (!item) return;
    std::optional<TPOTable> table = TTableMgr::getTableById(item->getTableId());
    if (!table) return;  // deleted since the map was drawn
    if (findTableRow(*selectTableGrid, table->getId()) != 0) {
        showTableAlreadyChosen(table->getTableName());
        return;
    }
    // One table at a time: a new pick replaces the last one.
    selectTableGrid->setRowCount(2);
    selectTableGrid->setCell(0, 1, QStringLiteral("1"));
    selectTableGrid->setCell(1, 1, table->getTableName());
    selectTableGrid->setObject(1, std::make_shared<TPOTable>(*table));
    selectTableGrid->setFixedRows(1);
    selectTableGrid->setRow(1);
}

void TtableSelecterForm::confirmBtnClick() {
    if (selectTableGrid->rowCount() < 2) {
        showMessage(QStringLiteral("请选择台桌!"));
        return;
    }
    accept();
}

void TtableSelecterForm::cancelBtnClick() { reject(); }

void TtableSelecterForm::done(int result) {
    // "取消", the close box and Esc alike: the caller gets no table.
    if (result != QDialog::Accepted) selectTableGrid->setRowCount(1);
    TexclusiveForm::done(result);
}

std::vector<TPOTable> TtableSelecterForm::getSelectTables() {
    showExclusive();
    return gridTables(*selectTableGrid);
}
