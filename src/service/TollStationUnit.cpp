#include "service/TollStationUnit.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapPanelUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Messages.h"
#include "service/ReckoningUnit.h"

TtollStationForm::TtollStationForm(QWidget* parent) : TtableServiceForm(parent) {
    setWindowTitle(QStringLiteral("收银台"));
    resize(844, 694);

    buildMapSide();
    leftPanel->setObjectName(QStringLiteral("leftPanel"));
    tableInsDescription->setReadOnly(true);
    QVBoxLayout* column = buildRightSide({{&reckoningBatBtn, QStringLiteral("结帐"), [this] { reckoningBatBtnClick(); }}}, {});
    GroupBox9 = new QGroupBox(QStringLiteral("台桌空闲信息"), rightPanel);
    GroupBox9->setFixedHeight(60);
    column->addWidget(GroupBox9);

    tablePopupMenu = new QMenu(this);
    reckoningMenu = tablePopupMenu->addAction(QStringLiteral("结帐"));
    refreshTable = tablePopupMenu->addAction(QStringLiteral("刷新"));
    attribTable = tablePopupMenu->addAction(QStringLiteral("属性"));
    // Only a table in use can be checked out; none is selected yet.
    reckoningMenu->setEnabled(false);
    onTriggered(reckoningMenu, [this] { reckoningMenuClick(); });
    startService();
}

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
    TtableServiceForm::refreshShown();
    reckoningMenu->setEnabled(TTableMgr::getTableState(selectedTableId, eatId(), Date()) == TPOTableIns::stateInUse);
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

void TtollStationForm::MTimerTimer() {
    refreshEat();
    TtableServiceForm::MTimerTimer();
}
