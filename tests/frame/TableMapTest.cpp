#include <QTest>

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

    // Two disabled tables side by side: both go, and the one after them still gets its icon.
    exec("update table_spec set state='TS002' where id in (1,2)");
    exec("insert into table_instance(table_id,state) values(3,'TIS001')");
    view.showFloor(1, lunch, today());
    EXPECT_EQ(itemsOf(view), (QStringList{"3:103@240,20#1", "5:105@130,110#1"}));
    // The layout editor's plan, which keeps disabled tables, is TableAttribTest's.
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

// Row removal, numbering and records are the string grid's own (StringGridTest).
TEST_F(TableMapTest, BatchTakesOnlyInUseTablesAndEachOnce) {
    TTableBatchGrid batch;
    EXPECT_FALSE(batch.addTable(2, "TIS002"));
    for (int id : {1, 2}) EXPECT_TRUE(batch.addTable(id, "TIS001"));
    EXPECT_FALSE(batch.addTable(2, "TIS001"));
    EXPECT_EQ(answers.texts(), (QStringList{"只能选择使用中的台桌!", "台桌(102)已经被选择!"}));
    EXPECT_EQ(batch.tableCount(), 2);
}
