#include <vector>

#include "data/GuardedWrites.h"
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

// As a reservation is saved: the built statements in one transaction.
bool save(const QStringList& statements) { return executeInTransaction(statements, "保存预订失败"); }
}  // namespace

using ReserveMgrTest = ReserveDbTest;

TEST(ReserveStates, ConvertBothWaysAndUnknownGivesEmpty) {
    const QStringList codes{"R001", "R002", "R003", "R004"}, texts{"预订中", "正常完成", "用户没来", "退订"};
    for (int i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(TPOReserve::getStateName(codes[i]), texts[i]);
        EXPECT_EQ(TPOReserve::getStateCode(texts[i]), codes[i]);
    }
    for (const char* unknown : {"R005", "RT001", "完成", ""})
        EXPECT_EQ(TPOReserve::getStateName(unknown) + TPOReserve::getStateCode(unknown), QString()) << unknown;
    EXPECT_EQ(TPOReserveTable::getStateName("RT001") + TPOReserveTable::getStateName("RT002"), "预订中完成");
    EXPECT_EQ(TPOReserveTable::getStateName("R001") + TPOReserveTable::getStateName("RT003"), QString());
}

TEST_F(ReserveMgrTest, BuiltStatementsSaveAndUpdateInOneTransaction) {
    const QString createTime = "select create_time=DateValue('2024-05-01')+TimeValue('09:15:30') from reserve";
    const QString tables = "select table_id,eat,eat_id,start_time,end_time,eat_date,state from reserve_table where id=";
    addBooking(1, 1, 7, lunch, encodeDateTime(2024, 5, 3));  // the model for the copies below
    setNowForTest(encodeDateTime(2024, 5, 1, 9, 15, 30));
    TPOReserve r;
    r.setId(100);
    r.setGuestName("O'Brien's 宴");
    r.setTelephone("139");
    r.setGuestType("会员");
    r.setGuestNum("12");
    r.setCreateTime(encodeDateTime(2000, 1, 1));  // the insert stamps the current time instead
    r.setState("R001");
    r.setDescription("x' or '1'='1:id");
    TPOReserveTable t1 = TReserveTableMgr::getReserveTableById(1).value();
    t1.setId(97);
    t1.setReserveId(100);
    TPOReserveTable t2 = t1;
    t2.setId(98);
    t2.setTableName("Tom's");
    ASSERT_TRUE(save({TReserveMgr::getInsertSQL(r), TReserveTableMgr::getInsertSQL(t1),
                      TReserveTableMgr::getInsertSQL(t2)}));
    EXPECT_EQ(rows("select id,guest_name,telephone,guest_type,guest_num,state,description from reserve"),
              QStringList{"100|O'Brien's 宴|139|会员|12|R001|x' or '1'='1:id"});
    EXPECT_EQ(scalar(createTime), "1");
    EXPECT_EQ(rows("select id,reserve_id,table_name from reserve_table where id>1 order by id"),
              (QStringList{"97|100|牡丹厅", "98|100|Tom's"}));
    EXPECT_EQ(rows(tables + "97") + rows(tables + "98"), rows(tables + "1") + rows(tables + "1"));

    // A later save changes the fields but keeps the time of the first save.
    setNowForTest(encodeDateTime(2024, 5, 2, 18, 0, 0));
    r.setGuestName("李'四");
    r.setState("R003");
    t2.setTableName("芙'蓉");
    t2.setState("RT002");
    t2.setEatDate(encodeDateTime(2024, 5, 4));
    ASSERT_TRUE(save({TReserveMgr::getUpdateSQL(r), TReserveTableMgr::getUpdateSQL(t2)}));
    EXPECT_EQ(rows("select guest_name,state from reserve"), QStringList{"李'四|R003"});
    EXPECT_EQ(scalar(createTime), "1");
    EXPECT_EQ(rows("select table_name,state,eat_date from reserve_table where id>1 order by id"),
              (QStringList{"牡丹厅|RT001|45415", "芙'蓉|RT002|45416"}));
    EXPECT_EQ(answers.count(), 0);

    // A failing statement leaves nothing of its batch.
    const QStringList before = rows("select * from reserve") + rows("select * from reserve_table");
    failOn("insert", "reserve_table");
    failOn("update", "reserve_table");
    r.setGuestName("改'过");
    EXPECT_FALSE(save({TReserveMgr::getUpdateSQL(r), TReserveTableMgr::getUpdateSQL(t1)}));
    r.setId(101);
    t1.setId(99);
    EXPECT_FALSE(save({TReserveMgr::getInsertSQL(r), TReserveTableMgr::getInsertSQL(t1)}));
    EXPECT_EQ(rows("select * from reserve") + rows("select * from reserve_table"), before);
    EXPECT_EQ(answers.count(), 2);
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
    EXPECT_EQ(idsOf(TReserveMgr::getReservesByState("R001")), (std::vector<int>{6, 4, 1}));
    EXPECT_EQ(TReserveMgr::getReserveById(1).value().getTelephone(), "1391");
    EXPECT_EQ(answers.count(), 0);

    exec("alter table reserve rename to reserve_gone");
    EXPECT_FALSE(TReserveMgr::getReserveById(1).has_value());
    EXPECT_TRUE(TReserveMgr::getReservesByMeal(lunch, day).empty());
    EXPECT_EQ(answers.texts(), QStringList(2, "查询预定时出现异常!"));
}

TEST_F(ReserveMgrTest, CompletesOnlyWhenNoTableIsLeftBooked) {
    auto stateOf = [this](int id) { return scalar(QString("select state from reserve where id=%1").arg(id)); };
    addReserve(1, "R001");
    for (int t = 1; t <= 3; ++t) addBooking(t, 1, t, t == 3 ? dinner : lunch, encodeDateTime(2024, 6, 8));
    for (int opened = 1; opened <= 3; ++opened) {
        exec(QString("update reserve_table set state='RT002' where id=%1").arg(opened));
        TReserveMgr::completeReserveIfAllUsed(1);
        EXPECT_EQ(stateOf(1), opened < 3 ? "R001" : "R002") << opened;
    }
    addReserve(2, "R001");  // no tables at all counts as all used
    TReserveMgr::completeReserveIfAllUsed(2);
    EXPECT_EQ(stateOf(2), "R002");
    addReserve(3, "R001");
    failOn("update", "reserve");
    EXPECT_THROW(TReserveMgr::completeReserveIfAllUsed(3), DatabaseError);  // the caller's to show
    EXPECT_EQ(stateOf(3), "R001");
    EXPECT_EQ(answers.count(), 0);
}
