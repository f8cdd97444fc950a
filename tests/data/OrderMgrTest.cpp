#include "data/OrderMgrUnit.h"
#include "data/TableInsMgrUnit.h"
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

QStringList ids(const std::vector<TPOOrder>& list) {
    QStringList out;
    for (const TPOOrder& o : list) out << QString::number(o.getPrice1());
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

    exec("delete from sequence where name='order.id'");
    tables = {openTable(3)};
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 0, 0)), tables), 0);
    EXPECT_EQ(answers.texts(), (QStringList{"添加订单出现异常！", "没有找到(order.id)！"}));
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 1);
}

// The closing window's detail lists; the time range is the order report's.
TEST_F(OrderMgrTest, ListsByDayAndOperatorAndByClosing) {
    std::vector<TPOTableIns> none;
    TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 23, 59, 59), 1), none);
    TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 9, 0, 0), 2), none);
    TOrderMgr::insert(bill(encodeDateTime(2024, 5, 11, 0, 0, 0), 3), none);
    TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 9, 0, 0), 4, 4), none);
    EXPECT_EQ(ids(TOrderMgr::getOrdersByDate(encodeDateTime(2024, 5, 10), 3, TPOOrder::stateCheckedOut)),
              (QStringList{"1", "2"}));
    exec("insert into prick_order_rela(prick_id,order_id) values(9,100),(9,102),(8,101)");
    EXPECT_EQ(ids(TOrderMgr::getOrdersByPrickId(9)), (QStringList{"1", "3"}));
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
    EXPECT_EQ(answers.texts(), QStringList(2, "台桌状态已变化，请刷新后重试！"));
    EXPECT_EQ(rows("select id from o_order"), QStringList{"100"});
    EXPECT_EQ(instanceStates(), (QStringList{"1|100|TIS002|备注", "2|100|TIS002|加菜", "3|0|TIS001|备注"}));
}
