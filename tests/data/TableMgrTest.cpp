#include "data/TableItemUnit.h"
#include "data/TableMgrUnit.h"
#include "data/ReserveTestData.h"
#include "platform/IconListView.h"

namespace {
// Functions, not constants: the date functions are not ready during static initialisation.
TDateTime today() { return encodeDateTime(2024, 5, 10); }
TDateTime tomorrow() { return encodeDateTime(2024, 5, 11); }

// Lunch is 10:30:00 - 14:00:00 in the sample.
class TableStateTest : public ReserveDbTest {
protected:
    void SetUp() override { ReserveDbTest::SetUp(); setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0)); }
    // One reservation in the given state booking one table.
    void book(int id, const QString& reserveState, int tableId, int eatId, const QString& rowState = "RT001",
              TDateTime date = today()) {
        addReserve(id, reserveState);
        addBooking(id, id, tableId, eatId, date, rowState);
    }
    QString state(int table, int eat = lunch, TDateTime date = today()) { return TTableMgr::getTableState(table, eat, date); }
};
}  // namespace

TEST_F(TableStateTest, FirstMatchingStateWins) {
    // Disabled table 106 is in use all the same; cleared, given back and merged instances leave 105 free.
    exec("insert into table_instance(table_id,state) values(6,'TIS001'),(1,'TIS002'),(1,'TIS001'),(2,'TIS002'),"
         "(5,'TIS003'),(5,'TIS004'),(5,'TIS005')");
    const char* reserveStates[] = {"R001", "R001", "R002", "R003", "R004"};  // completed, no-show, cancelled
    for (int id = 1; id <= 5; ++id) book(id, reserveStates[id - 1], std::vector<int>{2, 3, 7, 8, 9}[id - 1], lunch);
    book(6, "R001", 10, lunch, "RT002");  // a booking row already done
    book(7, "R001", 11, dinner);

    QStringList states;
    QList<int> icons;
    for (int table : {6, 1, 2, 3, 4, 5, 999, 7, 8, 9, 10, 11}) {
        states << state(table);
        icons << TTableMgr::getStateImageIndex(states.last());
    }
    EXPECT_EQ(states, (QStringList{"TS002", "TIS001", "TIS002", "RT001", "TS001", "TS001", "TS002", "TS001", "TS001",
                                   "TS001", "TS001", "TS001"}));
    EXPECT_EQ(icons.mid(0, 7), (QList<int>{4, 1, 3, 2, 0, 0, 4}));
    EXPECT_EQ(TTableMgr::getStateImageIndex("XYZ"), 0);
    EXPECT_EQ(state(11, dinner), "RT001");
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(TableStateTest, InstancesCountOnlyForTodayAtMidnightAndTheCurrentMeal) {
    exec("insert into table_instance(table_id,state) values(1,'TIS001')");
    book(1, "R001", 1, lunch, "RT001", tomorrow());
    book(2, "R001", 1, dinner, "RT001", today());
    QStringList seen;
    for (auto [eat, date] : {std::pair{lunch, encodeDateTime(2024, 5, 10, 12, 0, 0)},  // a time of day is not today
                             std::pair{lunch, tomorrow()},                             // another day: bookings only
                             std::pair{dinner, today()},                               // not the current meal
                             std::pair{dinner, encodeDateTime(2024, 5, 10, 17, 0, 0)},  // no booking on a time of day
                             std::pair{0, today()},                                    // no meal: instances show
                             std::pair{0, tomorrow()}})                                // ... and bookings never
        seen << state(1, eat, date);
    EXPECT_EQ(seen, (QStringList{"TS001", "RT001", "RT001", "TS001", "TIS001", "TS001"}));

    // A meal period includes both ends; one running across midnight (4) is never current.
    exec("insert into eat(id,name,start_time,end_time) values(4,'夜宵',79200/86400.0,7200/86400.0)");
    seen.clear();
    for (auto [t, eat] : {std::pair{QTime(10, 29, 59), lunch}, std::pair{QTime(10, 30, 0), lunch},
                          std::pair{QTime(14, 0, 0), lunch}, std::pair{QTime(14, 0, 1), lunch},
                          std::pair{QTime(23, 0, 0), 4}, std::pair{QTime(1, 0, 0), 4}}) {
        setNowForTest(encodeDateTime(2024, 5, 10, t.hour(), t.minute(), t.second()));
        seen << state(1, eat);
    }
    EXPECT_EQ(seen, (QStringList{"TS001", "TIS001", "TIS001", "TS001", "TS001", "TS001"}));
}

using TableMgrTest = SampleDbTest;

TEST_F(TableMgrTest, FillsAFloorPlanWithCaptionsAndPlaces) {
    TIconListView view;
    view.addItem()->setCaption("旧的");
    TTableMgr::fillTableListView(1, &view);
    QStringList seen;
    for (int i = 0; i < view.count(); ++i) {
        auto* item = static_cast<TTableItem*>(view.item(i));
        seen << QString("%1:%2@%3,%4").arg(item->getTableId()).arg(item->caption()).arg(item->left()).arg(item->top());
    }
    EXPECT_EQ(seen, (QStringList{"1:101@20,20", "2:102@130,20", "3:103@240,20", "4:104@20,110", "5:105@130,110",
                                 "6:106@240,110"}));
    TTableMgr::fillTableListView(4, &view);
    EXPECT_EQ(view.count(), 0);
}

TEST_F(TableMgrTest, WritesTablesAndRefusesDuplicateNames) {
    TPOTable t = *TTableMgr::getTableById(5);
    t.setTableName("201"); t.setFloor(3); t.setDescription("O'Brien 的桌");
    EXPECT_EQ(TTableMgr::insert(t), 100);
    EXPECT_EQ(rows("select * from table_spec where id=100"), QStringList{"100|201|3|8|大厅|TS001|130|110|O'Brien 的桌"});

    t.setId(100);
    t.setTableName("101");  // taken
    EXPECT_EQ(TTableMgr::insert(t), 0);
    EXPECT_FALSE(TTableMgr::update(t));
    EXPECT_EQ(answers.texts(), (QStringList{"桌子名称可能重复!", "桌子名称可能重复!"}));
    EXPECT_EQ(TTableMgr::getTableByName("201")->getId(), 100);
}
