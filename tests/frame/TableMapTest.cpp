#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "frame/FloorButtonsUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "support/TestDatabase.h"

namespace {
TDateTime today() { return encodeDateTime(2024, 5, 10); }
const int lunch = 2;

class TableMapTest : public SampleDbTest {
protected:
    void SetUp() override {
        SampleDbTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
    }
    // "id:caption@x,y#icon" of every item, in order.
    static QStringList itemsOf(const TTableListView& view) {
        QStringList seen;
        for (int i = 0; i < view.count(); ++i) {
            TTableItem* it = view.tableItem(i);
            seen << QString("%1:%2@%3,%4#%5").arg(it->getTableId()).arg(it->caption()).arg(it->left()).arg(it->top())
                        .arg(it->imageIndex());
        }
        return seen;
    }
};
}  // namespace

TEST_F(TableMapTest, ShowsEachTableWithItsLiveStateAndDropsDisabledOnesWithoutSkipping) {
    exec("insert into table_instance(table_id,state) values(1,'TIS001'),(2,'TIS002'),(5,'TIS001')");
    exec("insert into reserve(id,state) values(1,'R001')");
    exec(QString("insert into reserve_table(id,reserve_id,table_id,eat_id,eat_date,state) values(1,1,3,%1,%2,'RT001')")
             .arg(lunch).arg(double(today()), 0, 'g', 17));
    exec("update table_spec set state='TS002' where id=4");  // 105 follows it, 106 is disabled already
    TTableListView view;
    view.showFloor(1, lunch, today());
    EXPECT_EQ(itemsOf(view), (QStringList{"1:101@20,20#1", "2:102@130,20#3", "3:103@240,20#2", "5:105@130,110#1"}));
    EXPECT_EQ(view.findTableItem(5), view.tableItem(3));
    EXPECT_EQ(view.findTableItem(4), nullptr);

    // Two disabled tables side by side: both go, and the one after them still gets its icon.
    exec("update table_spec set state='TS002' where id in (1,2)");
    exec("insert into table_instance(table_id,state) values(3,'TIS001')");
    view.showFloor(1, lunch, today());
    EXPECT_EQ(itemsOf(view), (QStringList{"3:103@240,20#1", "5:105@130,110#1"}));
    view.showFloor(2, lunch, today());
    EXPECT_EQ(view.count(), 6);
    view.showFloor(4, lunch, today());
    EXPECT_EQ(view.count(), 0);

    // The layout editor keeps disabled tables, with its own grey icon.
    TTableListView layout;
    layout.useLayoutImages();
    layout.showLayout(1);
    EXPECT_EQ(itemsOf(layout), (QStringList{"1:101@20,20#3", "2:102@130,20#3", "3:103@240,20#0", "4:104@20,110#3",
                                             "5:105@130,110#0", "6:106@240,110#3"}));
    EXPECT_EQ(layout.imageList().size(), 4);
    EXPECT_EQ(view.imageList().size(), 5);
}

TEST_F(TableMapTest, FloorButtonsShowTheChosenFloorBoldAndIgnoreFloorsWithoutAButton) {
    TFloorButtons floors;
    QSignalSpy clicks(&floors, &TFloorButtons::floorClicked);
    EXPECT_EQ(floors.currentFloor(), 1);
    EXPECT_TRUE(floors.floor1->font().bold());
    QTest::mouseClick(floors.floor3, Qt::LeftButton);
    EXPECT_EQ(floors.currentFloor(), 3);
    EXPECT_TRUE(floors.floor3->font().bold());
    EXPECT_FALSE(floors.floor1->font().bold());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 3);

    EXPECT_TRUE(floors.setFloor(5));  // silent, as changes made in code are
    EXPECT_FALSE(floors.setFloor(0));
    EXPECT_FALSE(floors.setFloor(6));
    EXPECT_EQ(floors.currentFloorBtn(), floors.floor5);
    EXPECT_EQ(floors.floor5->toolTip(), "5");
    EXPECT_EQ(floors.getFloorButton(9), nullptr);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TableMapTest, APlaceNearTheIntegerLimitStaysOnThePlanAndTakesNoClickMeantForAnotherTable) {
    exec("update table_spec set X=2147483640, Y=2147483640 where id=5");
    exec("update table_spec set X=-30 where id=4");
    TTableListView view;
    view.resize(400, 300);
    view.show();
    view.showFloor(1, lunch, today());
    const int edge = TIconListView::maxPosition;
    EXPECT_EQ(itemsOf(view), (QStringList{"1:101@20,20#0", "2:102@130,20#0", "3:103@240,20#0", "4:104@0,110#0",
                                           QString("5:105@%1,%1#0").arg(edge)}));
    const QRect far = view.itemRect(view.findTableItem(5));
    EXPECT_TRUE(far.left() == edge && far.right() > edge && far.bottom() > edge);
    EXPECT_GT(view.contentsSize().width(), far.right());

    // 105 is drawn last, so it would be hit first if its rectangle wrapped around.
    for (int id : {1, 2}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          view.mapFromContents(view.itemRect(view.findTableItem(id)).center()));
        EXPECT_EQ(view.selectedTableItem(), view.findTableItem(id));
    }
}

TEST_F(TableMapTest, BatchTakesOnlyInUseTablesOnceAndKeepsRowsNumberedWhenOneIsRemoved) {
    TTableBatchGrid batch;
    EXPECT_FALSE(batch.addTable(1, "TS001"));
    EXPECT_FALSE(batch.addTable(2, "TIS002"));
    for (int id : {1, 2, 3}) EXPECT_TRUE(batch.addTable(id, "TIS001"));
    EXPECT_FALSE(batch.addTable(2, "TIS001"));
    EXPECT_EQ(answers.texts(), (QStringList{"只能选择使用中的台桌!", "只能选择使用中的台桌!", "台桌(102)已经被选择!"}));
    EXPECT_EQ(batch.fixedRows(), 1);
    EXPECT_EQ(batch.row(), 3);
    EXPECT_EQ(batch.cell(2, 1), "使用中");

    batch.setRow(2);
    batch.removeSelectedRow();
    ASSERT_EQ(batch.tableCount(), 2);
    EXPECT_EQ(batch.cell(0, 1) + batch.cell(1, 1) + batch.cell(0, 2) + batch.cell(1, 2), "11012103");
    std::vector<TPOTable> tables = batch.tables();
    EXPECT_EQ(tables[0].getId(), 1);
    EXPECT_EQ(tables[1].getId(), 3);  // the record moved up with its row
    EXPECT_TRUE(batch.addTable(2, "TIS001"));  // gone from the batch, so it may come back
    EXPECT_EQ(batch.cell(0, 3), "3");
    batch.clearTables();
    EXPECT_EQ(batch.tableCount(), 0);
    EXPECT_TRUE(batch.tables().empty());
}
