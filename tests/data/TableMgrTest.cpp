#include <QPainter>

#include "data/TableItemUnit.h"
#include "data/TableMgrUnit.h"
#include "platform/IconListView.h"
#include "support/TestDatabase.h"

namespace {
// Functions, not constants: the date functions are not ready during static initialisation.
TDateTime today() { return encodeDateTime(2024, 5, 10); }
TDateTime tomorrow() { return encodeDateTime(2024, 5, 11); }
const int lunch = 2;  // 10:30:00 - 14:00:00 in the sample
const int dinner = 3;

class TableStateTest : public SampleDbTest {
protected:
    void SetUp() override {
        SampleDbTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
    }
    void addInstance(int id, int tableId, const QString& state) {
        exec(QString("insert into table_instance(id,table_id,state) values(%1,%2,'%3')").arg(id).arg(tableId).arg(state));
    }
    void addBooking(int id, const QString& reserveState, int tableId, TDateTime date, int eatId, const QString& rowState) {
        exec(QString("insert into reserve(id,state) values(%1,'%2')").arg(id).arg(reserveState));
        exec(QString("insert into reserve_table(id,reserve_id,table_id,eat_id,eat_date,state) values(%1,%1,%2,%3,%4,'%5')")
                 .arg(id).arg(tableId).arg(eatId).arg(double(date), 0, 'g', 17).arg(rowState));
    }
    QString state(int tableId, int eatId = lunch, TDateTime date = today()) {
        return TTableMgr::getTableState(tableId, eatId, date);
    }
};
}  // namespace

TEST_F(TableStateTest, FirstMatchingStateWins) {
    addInstance(1, 6, "TIS001");  // disabled table 106, in use all the same
    addInstance(2, 1, "TIS002");
    addInstance(3, 1, "TIS001");
    addInstance(4, 2, "TIS002");
    addBooking(1, "R001", 2, today(), lunch, "RT001");
    addBooking(2, "R001", 3, today(), lunch, "RT001");
    addInstance(5, 5, "TIS003");  // cleared, given back and merged instances leave the table free
    addInstance(6, 5, "TIS004");
    addInstance(7, 5, "TIS005");

    QStringList states;
    for (int table : {6, 1, 2, 3, 4, 5, 999}) states << state(table);
    EXPECT_EQ(states, (QStringList{"TS002", "TIS001", "TIS002", "RT001", "TS001", "TS001", "TS002"}));
    EXPECT_EQ(state(6, 0, tomorrow()), "TS002");
    EXPECT_EQ(TTableMgr::getStateImageIndex("TS002"), 4);
    EXPECT_EQ(TTableMgr::getStateImageIndex("XYZ"), 0);
    EXPECT_EQ(TTableMgr::getStateName("TIS002"), "状态有误");
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(TableStateTest, InstancesCountOnlyForTodayAtMidnightAndTheCurrentMeal) {
    addInstance(1, 1, "TIS001");
    addInstance(2, 2, "TIS002");
    addBooking(1, "R001", 1, tomorrow(), lunch, "RT001");

    // Today with a time of day is not today.
    EXPECT_EQ(state(1, lunch, encodeDateTime(2024, 5, 10, 12, 0, 0)), "TS001");
    EXPECT_EQ(state(2, lunch, encodeDateTime(2024, 5, 10, 0, 0, 1)), "TS001");
    // Another day shows only bookings.
    EXPECT_EQ(state(1, lunch, tomorrow()), "RT001");
    EXPECT_EQ(state(2, lunch, tomorrow()), "TS001");
    // A meal that is not current hides the instances.
    EXPECT_EQ(state(1, dinner), "TS001");
    EXPECT_EQ(state(2, dinner), "TS001");
    // Without a current meal the instances show, bookings never do.
    EXPECT_EQ(state(1, 0), "TIS001");
    EXPECT_EQ(state(2, 0), "TIS002");
    EXPECT_EQ(state(1, 0, tomorrow()), "TS001");
}

TEST_F(TableStateTest, MealPeriodIncludesBothEndsAndNeverRunsAcrossMidnight) {
    addInstance(1, 1, "TIS001");
    QStringList seen;
    for (QTime t : {QTime(10, 29, 59), QTime(10, 30, 0), QTime(14, 0, 0), QTime(14, 0, 1)}) {
        setNowForTest(encodeDateTime(2024, 5, 10, t.hour(), t.minute(), t.second()));
        seen << state(1);
    }
    EXPECT_EQ(seen, (QStringList{"TS001", "TIS001", "TIS001", "TS001"}));

    exec(QString("insert into eat(id,name,start_time,end_time) values(4,'夜宵',%1,%2)")
             .arg(79200 / 86400.0, 0, 'g', 17).arg(7200 / 86400.0, 0, 'g', 17));
    for (int hour : {23, 1}) {
        setNowForTest(encodeDateTime(2024, 5, 10, hour, 0, 0));
        EXPECT_EQ(state(1, 4), "TS001") << hour;
    }
}

TEST_F(TableStateTest, OnlyActiveBookingsOfActiveReservationsCount) {
    addBooking(1, "R002", 1, today(), lunch, "RT001");
    addBooking(2, "R003", 2, today(), lunch, "RT001");
    addBooking(3, "R004", 3, today(), lunch, "RT001");
    addBooking(4, "R001", 4, today(), lunch, "RT002");
    addBooking(5, "R001", 5, today(), dinner, "RT001");
    for (int table = 1; table <= 5; ++table) EXPECT_EQ(state(table), "TS001") << table;
    EXPECT_EQ(state(5, dinner), "RT001");
    EXPECT_EQ(state(5, dinner, encodeDateTime(2024, 5, 10, 17, 0, 0)), "TS001");
}

TEST_F(TableStateTest, FillsAFloorPlanThatRendersWithStateIcons) {
    addInstance(1, 1, "TIS001");
    addInstance(2, 2, "TIS002");
    addBooking(1, "R001", 3, today(), lunch, "RT001");
    QList<QPixmap> icons;  // stand-ins: a coloured table top per state
    for (QColor c : {QColor(Qt::white), QColor(70, 110, 220), QColor(60, 170, 80), QColor(210, 60, 60), QColor(Qt::gray)}) {
        icons << QPixmap(53, 39);
        icons.last().fill(Qt::transparent);
        QPainter p(&icons.last());
        p.setBrush(c);
        p.drawRoundedRect(QRect(6, 4, 40, 30), 6, 6);
    }
    TIconListView view;
    view.resize(420, 260);
    view.setImageList(icons);
    view.addItem()->setCaption("旧的");
    TTableMgr::fillTableListView(1, &view);
    ASSERT_EQ(view.count(), 6);
    // What every service map does after filling.
    for (int i = view.count() - 1; i >= 0; --i) {
        auto* item = dynamic_cast<TTableItem*>(view.item(i));
        ASSERT_TRUE(item);
        QString s = TTableMgr::getTableState(item->getTableId(), lunch, today());
        if (s == "TS002")
            view.removeItem(item);
        else
            item->setImageIndex(TTableMgr::getStateImageIndex(s));
    }
    QStringList seen;
    for (int i = 0; i < view.count(); ++i) {
        auto* item = static_cast<TTableItem*>(view.item(i));
        seen << QString("%1:%2@%3,%4#%5").arg(item->getTableId()).arg(item->caption())
                    .arg(item->left()).arg(item->top()).arg(item->imageIndex());
    }
    EXPECT_EQ(seen, (QStringList{"1:101@20,20#1", "2:102@130,20#3", "3:103@240,20#2", "4:104@20,110#0",
                                 "5:105@130,110#0"}));
    view.setSelectedItem(view.item(1));
    QPixmap shot = view.grab();
    EXPECT_EQ(shot.size(), QSize(420, 260));
    EXPECT_FALSE(shot.toImage().allGray());
    if (qEnvironmentVariableIsSet("HELAN_GRAB_DIR")) shot.save(qEnvironmentVariable("HELAN_GRAB_DIR") + "/floor1.png");

    TTableMgr::fillTableListView(4, &view);
    EXPECT_EQ(view.count(), 0);
}

using TableMgrTest = SampleDbTest;

TEST_F(TableMgrTest, WritesReadsAndRefusesTables) {
    TPOTable t = *TTableMgr::getTableById(5);
    t.setTableName("201");
    t.setFloor(3);
    t.setDescription("O'Brien 的桌");
    EXPECT_EQ(TTableMgr::insert(t), 100);
    EXPECT_EQ(rows("select * from table_spec where id=100"), QStringList{"100|201|3|8|大厅|TS001|130|110|O'Brien 的桌"});
    // Floor lists carry only what the plans use.
    auto floor3 = TTableMgr::getTablesByFloor(3);
    ASSERT_EQ(floor3.size(), 1u);
    EXPECT_EQ(QString("%1|%2|%3|%4").arg(floor3[0].getFloor()).arg(floor3[0].getSeat()).arg(floor3[0].getType(),
                                                                                       floor3[0].getDescription()),
              "0|0||O'Brien 的桌");

    t.setId(100);
    t.setTableName("101");  // taken
    EXPECT_EQ(TTableMgr::insert(t), 0);
    EXPECT_FALSE(TTableMgr::update(t));
    EXPECT_EQ(answers.texts(), (QStringList{"桌子名称可能重复!", "桌子名称可能重复!"}));
    EXPECT_EQ(TTableMgr::getTableByName("201")->getId(), 100);
    EXPECT_EQ(scalarInt("select seq_value from sequence where name='table_spec.id'"), 102);

    failOn("delete", "table_spec");
    EXPECT_FALSE(TTableMgr::Delete(t));
    EXPECT_EQ(answers.last(), "桌子删除失败!");
    EXPECT_TRUE(TTableMgr::getTableById(100));
}
