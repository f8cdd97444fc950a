#include <vector>

#include "data/DatabaseCtrlUnit.h"
#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/ReserveTestData.h"
#include "platform/Errors.h"

namespace {
std::vector<int> idsOf(const std::vector<TPOReserve>& list) {
    std::vector<int> ids;
    for (const TPOReserve& r : list) ids.push_back(r.getId());
    return ids;
}

TPOReserveTable booking(int id, const QString& tableName, TDateTime date) {
    TPOReserveTable rt;
    rt.setId(id);
    rt.setReserveId(100);
    rt.setTableName(tableName);
    rt.setTableId(id - 90);
    rt.setEat("午餐");
    rt.setEatId(2);
    rt.setStartTime(encodeTime(10, 30, 0));
    rt.setEndTime(encodeTime(14, 0, 0));
    rt.setEatDate(date);
    rt.setState("RT001");
    return rt;
}

// As the reservation dialog saves: one transaction, all or nothing.
bool runInOneTransaction(const QStringList& statements) {
    TDatabaseCtrl ctrl;
    ctrl.beginTrans();
    try {
        for (const QString& s : statements) ctrl.execute(s);
        ctrl.commitTrans();
        return true;
    } catch (const std::exception&) {
        ctrl.rollbackTrans();
        return false;
    }
}
}  // namespace

using ReserveMgrTest = ReserveDbTest;

TEST(ReserveStates, ConvertBothWaysAndUnknownGivesEmpty) {
    const QStringList codes{"R001", "R002", "R003", "R004"}, texts{"预订中", "正常完成", "用户没来", "退订"};
    for (int i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(TPOReserve::getStateName(codes[i]), texts[i]);
        EXPECT_EQ(TPOReserve::getStateCode(texts[i]), codes[i]);
    }
    EXPECT_EQ(TPOReserve::getStateName("RT001"), QString());
    for (const char* unknown : {"R005", "RT003", "完成", ""}) {
        EXPECT_EQ(TPOReserve::getStateName(unknown), QString());
        EXPECT_EQ(TPOReserve::getStateCode(unknown), QString());
        EXPECT_EQ(TPOReserveTable::getStateName(unknown), QString());
    }
    EXPECT_EQ(TPOReserveTable::getStateName("RT001"), "预订中");
    EXPECT_EQ(TPOReserveTable::getStateName("RT002"), "完成");
}

TEST_F(ReserveMgrTest, BuiltStatementsSaveAndUpdateInOneTransaction) {
    const TDateTime day = encodeDateTime(2024, 5, 3);
    setNowForTest(encodeDateTime(2024, 5, 1, 9, 15, 30));
    const QString createTime = "select create_time=DateValue('2024-05-01')+TimeValue('09:15:30') from reserve";
    TPOReserve r;
    r.setId(100);
    r.setGuestName("O'Brien's 宴");
    r.setTelephone("139");
    r.setGuestType("会员");
    r.setGuestNum("12");
    r.setCreateTime(encodeDateTime(2000, 1, 1));  // the insert stamps the current time instead
    r.setState("R001");
    r.setDescription("x' or '1'='1:id");
    TPOReserveTable t1 = booking(97, "牡丹厅", day), t2 = booking(98, "Tom's", day);
    ASSERT_TRUE(runInOneTransaction(
        {TReserveMgr::getInsertSQL(r), TReserveTableMgr::getInsertSQL(t1), TReserveTableMgr::getInsertSQL(t2)}));
    EXPECT_EQ(TReserveMgr::getReserveById(100)->getGuestName(), "O'Brien's 宴");
    EXPECT_EQ(rows("select id,guest_name,telephone,guest_type,guest_num,state,description from reserve"),
              QStringList{"100|O'Brien's 宴|139|会员|12|R001|x' or '1'='1:id"});
    EXPECT_EQ(scalar(createTime), "1");
    auto back = TReserveTableMgr::getReserveTableById(98);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->getTableName(), "Tom's");
    EXPECT_EQ(double(back->getEatDate()), double(day));
    EXPECT_EQ(double(back->getStartTime()), double(encodeTime(10, 30, 0)));
    EXPECT_EQ(rows("select id,reserve_id,table_name,table_id,eat,eat_id,state from reserve_table order by id"),
              (QStringList{"97|100|牡丹厅|7|午餐|2|RT001", "98|100|Tom's|8|午餐|2|RT001"}));

    // A later save changes every field but keeps the time of the first save.
    setNowForTest(encodeDateTime(2024, 5, 2, 18, 0, 0));
    r.setGuestName("李'四");
    r.setState("R003");
    t2.setTableName("芙'蓉");
    t2.setState("RT002");
    t2.setEatDate(encodeDateTime(2024, 5, 4));
    ASSERT_TRUE(runInOneTransaction({TReserveMgr::getUpdateSQL(r), TReserveTableMgr::getUpdateSQL(t2)}));
    EXPECT_EQ(rows("select guest_name,state from reserve"), QStringList{"李'四|R003"});
    EXPECT_EQ(scalar(createTime), "1");
    EXPECT_EQ(rows("select table_name,state,eat_date from reserve_table order by id"),
              (QStringList{"牡丹厅|RT001|45415", "芙'蓉|RT002|45416"}));

    // A failing statement leaves nothing of its batch.
    failOn("insert", "reserve_table");
    r.setId(101);
    EXPECT_FALSE(runInOneTransaction({TReserveMgr::getInsertSQL(r), TReserveTableMgr::getInsertSQL(booking(99, "x", day))}));
    failOn("update", "reserve_table");
    EXPECT_FALSE(runInOneTransaction({TReserveMgr::getUpdateSQL(r), TReserveTableMgr::getUpdateSQL(t1)}));
    EXPECT_EQ(rows("select id,guest_name from reserve"), QStringList{"100|李'四"});
    EXPECT_EQ(scalarInt("select count(*) from reserve_table"), 2);
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(ReserveMgrTest, ReservationsOfAMealOncePerReservationOrderedByStateThenAge) {
    const TDateTime day = encodeDateTime(2024, 6, 8);
    const char* states[] = {"R001", "R004", "R002", "R001", "R003", "R001"};
    const int ages[] = {30, 1, 2, 20, 3, 4};  // days after 2024-05-01
    for (int i = 0; i < 6; ++i) addReserve(i + 1, states[i], encodeDateTime(2024, 5, 1) + ages[i]);
    addBooking(1, 1, 1, lunch, day);
    addBooking(2, 1, 2, lunch, day);
    addBooking(3, 1, 3, lunch, day, "RT002");
    for (int id = 2; id <= 5; ++id) addBooking(id + 2, id, id + 2, lunch, day, id == 3 ? "RT002" : "RT001");
    addBooking(8, 6, 9, dinner, day);
    addBooking(9, 6, 9, lunch, day + 1);

    EXPECT_EQ(idsOf(TReserveMgr::getReservesByMeal(lunch, day)), (std::vector<int>{4, 1, 3, 5, 2}));
    EXPECT_EQ(idsOf(TReserveMgr::getReservesByMeal(dinner, day)), std::vector<int>{6});
    EXPECT_TRUE(TReserveMgr::getReservesByMeal(lunch, encodeDateTime(2024, 6, 8, 11, 0, 0)).empty());
    auto open = TReserveMgr::getReservesByState("R001");
    EXPECT_EQ(idsOf(open), (std::vector<int>{6, 4, 1}));
    EXPECT_EQ(open.back().getTelephone(), "1391");
    EXPECT_FALSE(TReserveMgr::getReserveById(42).has_value());
    EXPECT_EQ(answers.count(), 0);

    exec("alter table reserve rename to reserve_gone");
    EXPECT_FALSE(TReserveMgr::getReserveById(1).has_value());
    EXPECT_TRUE(TReserveMgr::getReservesByState("R001").empty());
    EXPECT_TRUE(TReserveMgr::getReservesByMeal(lunch, day).empty());
    EXPECT_EQ(answers.texts(), QStringList(3, "查询预定时出现异常!"));
}

TEST_F(ReserveMgrTest, CompletesOnlyWhenNoTableIsLeftBooked) {
    const TDateTime day = encodeDateTime(2024, 6, 8);
    auto stateOf = [this](int id) { return scalar(QString("select state from reserve where id=%1").arg(id)); };
    addReserve(1, "R001");
    for (int t = 1; t <= 3; ++t) addBooking(t, 1, t, t == 3 ? dinner : lunch, day);
    for (int opened = 1; opened <= 3; ++opened) {
        exec(QString("update reserve_table set state='RT002' where id=%1").arg(opened));
        TReserveMgr::completeReserveIfAllUsed(1);
        EXPECT_EQ(stateOf(1), opened < 3 ? "R001" : "R002") << opened;
    }
    // Its state is not looked at, and no tables at all counts as all used.
    addReserve(2, "R004");
    addBooking(4, 2, 4, lunch, day, "RT002");
    addReserve(3, "R001");
    TReserveMgr::completeReserveIfAllUsed(2);
    TReserveMgr::completeReserveIfAllUsed(3);
    EXPECT_EQ(stateOf(2) + stateOf(3), "R002R002");

    addReserve(4, "R001");
    failOn("update", "reserve");
    EXPECT_THROW(TReserveMgr::completeReserveIfAllUsed(4), DatabaseError);
    EXPECT_EQ(stateOf(4), "R001");
    EXPECT_EQ(answers.count(), 0);
}
