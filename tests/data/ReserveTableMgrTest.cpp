#include "data/ReserveTableMgrUnit.h"
#include "data/ReserveTestData.h"
#include "platform/Errors.h"

using ReserveTableMgrTest = ReserveDbTest;

TEST_F(ReserveTableMgrTest, SummaryListsAndCountsByDateAndMeal) {
    const TDateTime day = encodeDateTime(2024, 6, 8), nextDay = day + 1;
    addReserve(1, "R001");
    addBooking(1, 1, 9, dinner, day);  // 兰花厅
    addBooking(2, 1, 7, lunch, day);   // 牡丹厅
    addBooking(3, 1, 8, lunch, day);   // 芙蓉厅
    addBooking(4, 1, 1, lunch, day, "RT002");
    addBooking(5, 1, 2, breakfast, nextDay);
    addBooking(6, 1, 3, dinner, nextDay, "RT002");

    // Booked tables only, ordered by the meal's start time.
    EXPECT_EQ(TReserveTableMgr::getBookedSummary(1),
              (QStringList{"2024-06-09", "早餐", "1", "2024-06-08", "午餐", "2", "2024-06-08", "晚餐", "1"}));
    // Finished bookings are still listed and counted.
    EXPECT_EQ(TReserveTableMgr::countReserveTables(1, lunch, day), 3);
    EXPECT_EQ(TReserveTableMgr::countReserveTables(1, lunch, encodeDateTime(2024, 6, 8, 11, 0, 0)), 0);
    QStringList names;
    for (const TPOReserveTable& t : TReserveTableMgr::getReserveTablesByMeal(1, lunch, day))
        names << t.getTableName() + t.getState() + t.getEat();
    EXPECT_EQ(names, (QStringList{"101RT002午餐", "芙蓉厅RT001午餐", "牡丹厅RT001午餐"}));  // pinyin order
    QList<int> all;
    for (const TPOReserveTable& t : TReserveTableMgr::getReserveTablesByReserve(1)) all << t.getId();
    EXPECT_EQ(all.mid(3), (QList<int>{1, 5, 6}));  // by date, then start time
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(ReserveTableMgrTest, BookedTableIsOnlyAnOpenBookingOfAnOpenReservation) {
    const TDateTime day = encodeDateTime(2024, 6, 8);
    // Cancelled, no-show and completed reservations come first, so a lookup that
    // ignored the reservation's state would find their bookings.
    const char* states[] = {"R004", "R003", "R001", "R002"};
    for (int id = 1; id <= 4; ++id) addReserve(id, states[id - 1]);
    for (int id = 1; id <= 3; ++id) addBooking(id, id, 7, lunch, day);
    addBooking(4, 1, 8, lunch, day);
    addBooking(5, 2, 8, dinner, day);
    addBooking(6, 4, 9, lunch, day);
    addBooking(7, 3, 10, lunch, day, "RT002");

    auto booked = TReserveTableMgr::getBookedReserveTable(7, lunch, day);
    ASSERT_TRUE(booked.has_value());
    EXPECT_EQ(booked->getId(), 3);
    for (int table : {8, 9, 10}) EXPECT_FALSE(TReserveTableMgr::getBookedReserveTable(table, lunch, day)) << table;
    EXPECT_FALSE(TReserveTableMgr::getBookedReserveTable(8, dinner, day));
    EXPECT_FALSE(TReserveTableMgr::getBookedReserveTable(7, lunch, day + 1));
    EXPECT_FALSE(TReserveTableMgr::getBookedReserveTable(7, lunch, encodeDateTime(2024, 6, 8, 12, 0, 0)));

    // Once taken over, the booking is no longer found nor summed up.
    booked->setState("RT002");
    EXPECT_TRUE(TReserveTableMgr::update(*booked));
    EXPECT_FALSE(TReserveTableMgr::getBookedReserveTable(7, lunch, day));
    EXPECT_TRUE(TReserveTableMgr::getBookedSummary(3).isEmpty());
    EXPECT_EQ(rows("select id from reserve_table where state='RT002' order by id"), (QStringList{"3", "7"}));
    EXPECT_EQ(answers.count(), 0);

    exec("alter table reserve_table rename to reserve_table_gone");
    EXPECT_TRUE(TReserveTableMgr::getBookedSummary(1).isEmpty());
    EXPECT_FALSE(TReserveTableMgr::getBookedReserveTable(7, lunch, day));
    EXPECT_FALSE(TReserveTableMgr::update(*booked));
    EXPECT_EQ(answers.texts(), (QStringList{"通过预订标识查询统计预订台桌时出现异常！",
                                            "通过台桌ID\\时间\\餐次查询预订记录时出现异常!", "修改预订台桌时异常!"}));
    EXPECT_THROW(TReserveTableMgr::countReserveTables(1, lunch, day), DatabaseError);  // the caller's to show
}
