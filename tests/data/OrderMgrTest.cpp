#include "data/OrderMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "platform/Formats.h"
#include "support/TestDatabase.h"

namespace {
class OrderMgrTest : public SampleDbTest {
protected:
    TPOTableIns openTable(int id) {
        exec(QString("insert into table_instance(id,table_id,state,description) values(%1,%1,'TIS001','备注')").arg(id));
        return *TTableInsMgr::getTableInsById(id);
    }
    static TPOOrder bill(TDateTime when, double price1 = 123.45, int operatorId = 3) {
        TPOOrder o;
        o.setGuestName("O'Neil 王"); o.setInvoice("有"); o.setState(TPOOrder::stateCheckedOut);
        o.setCreateTime(when); o.setPrice(price1 + 10); o.setPrice1(price1);
        o.setOperatorId(operatorId); o.setOperatorName("李四");
        return o;
    }
    QStringList instanceStates() { return rows("select id,order_id,state,description from table_instance order by id"); }
};

QStringList times(const std::vector<TPOOrder>& list) {
    QStringList out;
    for (const TPOOrder& o : list) out << formatDateTime("MM-dd hh:nn:ss", o.getCreateTime());
    out.sort();
    return out;
}
}  // namespace

TEST_F(OrderMgrTest, CheckoutWritesTheOrderAndSettlesEveryTableOrNothing) {
    std::vector<TPOTableIns> tables{openTable(1), openTable(2)};
    const QStringList before = instanceStates();
    TPOOrder o = bill(encodeDateTime(2024, 5, 10, 12, 30, 15));
    failOn("update", "table_instance", "new.id=2");  // the second table's update
    EXPECT_EQ(TOrderMgr::insert(o, tables), 0);
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
    EXPECT_EQ(instanceStates(), before);
    // The caller's records keep what the failed save gave them; a retry with them goes through.
    EXPECT_EQ(QString("%1|%2").arg(tables[1].getOrderId()).arg(tables[1].getState()), "100|TIS002");
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    EXPECT_EQ(TOrderMgr::insert(o, tables), 101);
    EXPECT_EQ(instanceStates(), (QStringList{"1|101|TIS002|备注", "2|101|TIS002|备注"}));
    EXPECT_EQ(rows("select guest_name,invoice,state,operator_name,operator_id,price,price1 from o_order"),
              QStringList{"O'Neil 王|有|ORD001|李四|3|133.45|123.45"});
    auto read = TOrderMgr::getOrdersByTime(o.getCreateTime(), o.getCreateTime());
    ASSERT_EQ(read.size(), 1u);
    const TPOOrder& r = read[0];
    EXPECT_EQ(QString("%1|%2|%3|%4|%5|%6|%7|%8").arg(r.getGuestName(), r.getInvoice(), r.getState(), r.getOperatorName())
                  .arg(r.getOperatorId()).arg(double(r.getCreateTime()) == double(o.getCreateTime()))
                  .arg(r.getPrice()).arg(r.getPrice1()),
              "O'Neil 王|有|ORD001|李四|3|1|133.45|123.45");

    exec("delete from sequence where name='order.id'");
    tables = {openTable(3)};
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 0, 0)), tables), 0);
    EXPECT_EQ(answers.texts(), (QStringList{"添加订单出现异常！", "没有找到(order.id)！"}));
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 1);
}

TEST_F(OrderMgrTest, ListsByTimeByDayAndOperatorAndByClosing) {
    std::vector<TPOTableIns> none;
    TDateTime lastSecond = encodeDateTime(2024, 5, 10, 23, 59, 59), morning = encodeDateTime(2024, 5, 10, 9, 0, 0),
              nextMidnight = encodeDateTime(2024, 5, 11, 0, 0, 0);
    for (auto [when, op] : {std::pair{lastSecond, 3}, std::pair{morning, 3}, std::pair{nextMidnight, 3},
                            std::pair{morning, 4}})
        TOrderMgr::insert(bill(when, 10, op), none);

    TDateTime day = encodeDateTime(2024, 5, 10);
    EXPECT_EQ(times(TOrderMgr::getOrdersByDate(day, 3, TPOOrder::stateCheckedOut)), (QStringList{"05-10 09:00:00", "05-10 23:59:59"}));
    EXPECT_TRUE(TOrderMgr::getOrdersByDate(day, 3, TPOOrder::stateClosed).empty());
    EXPECT_TRUE(TOrderMgr::getOrdersByDate(morning, 3, TPOOrder::stateCheckedOut).empty());
    // Both ends of a time range are included.
    EXPECT_EQ(TOrderMgr::getOrdersByTime(morning, lastSecond).size(), 3u);
    EXPECT_EQ(times(TOrderMgr::getOrdersByTime(lastSecond, nextMidnight)), (QStringList{"05-10 23:59:59", "05-11 00:00:00"}));

    exec("insert into prick_order_rela(prick_id,order_id) values(9,100),(9,102),(8,101)");
    EXPECT_EQ(times(TOrderMgr::getOrdersByPrickId(9)), (QStringList{"05-10 23:59:59", "05-11 00:00:00"}));
    EXPECT_EQ(answers.count(), 0);

    // Orders that cannot be read show the message and list nothing.
    exec("alter table o_order rename to o_order_gone");
    EXPECT_TRUE(TOrderMgr::getOrdersByTime(morning, lastSecond).empty());
    EXPECT_TRUE(TOrderMgr::getOrdersByDate(day, 3, TPOOrder::stateCheckedOut).empty());
    EXPECT_TRUE(TOrderMgr::getOrdersByPrickId(9).empty());
    EXPECT_EQ(answers.texts(), (QStringList{"通过ID查询订单时出现异常！", "通过时间和操作者查询订单出现异常！",
                                            "通过时间和操作者查询订单出现异常！"}));
}

TEST_F(OrderMgrTest, CheckoutFromOldOrMissingRecordsIsRefused) {
    std::vector<TPOTableIns> tables{openTable(1), openTable(2)}, stale = tables;
    exec("update table_instance set description='加菜' where id=2");  // another station's remark
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 0, 0)), tables), 100);
    // The same two tables from an old copy of the records: counted once only.
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 1, 0)), stale), 0);
    std::vector<TPOTableIns> ghost{openTable(3), TPOTableIns()};
    ghost[1].setId(99);
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 2, 0)), ghost), 0);
    std::vector<TPOTableIns> twice{openTable(4), *TTableInsMgr::getTableInsById(4)};
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 3, 0)), twice), 0);
    EXPECT_EQ(answers.texts(), QStringList(3, "台桌状态已变化，请刷新后重试！"));
    EXPECT_EQ(rows("select id from o_order"), QStringList{"100"});
    EXPECT_EQ(instanceStates(), (QStringList{"1|100|TIS002|备注", "2|100|TIS002|加菜", "3|0|TIS001|备注", "4|0|TIS001|备注"}));
}
