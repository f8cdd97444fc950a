#include "data/OrderMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "platform/Formats.h"
#include "support/TestDatabase.h"

namespace {
class OrderMgrTest : public SampleDbTest {
protected:
    TPOTableIns openTable(int tableId) {
        TPOTableIns r;
        r.setTableId(tableId);
        r.setState(TPOTableIns::stateInUse);
        r.setDescription("备注");
        TTableInsMgr::insert(r);
        return r;
    }
    static TPOOrder bill(TDateTime when, double price1, int operatorId = 3) {
        TPOOrder o;
        o.setGuestId(7);
        o.setGuestName("O'Neil 王");
        o.setGuestNum("4");
        o.setCreateTime(when);
        o.setRebateType("打折");
        o.setRebateValue(8);
        o.setPrice(price1 / 0.8);
        o.setPrice1(price1);
        o.setInvoice("有");
        o.setState(TPOOrder::stateCheckedOut);
        o.setOperatorId(operatorId);
        o.setOperatorName("李四");
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

TEST_F(OrderMgrTest, CheckoutWritesTheOrderAndSettlesEveryTable) {
    std::vector<TPOTableIns> tables{openTable(1), openTable(2)};
    TPOOrder o = bill(encodeDateTime(2024, 5, 10, 12, 30, 15), 123.45);
    EXPECT_EQ(TOrderMgr::insert(o, tables), 100);
    EXPECT_EQ(instanceStates(), (QStringList{"100|100|TIS002|备注", "101|100|TIS002|备注"}));

    auto read = TOrderMgr::getOrdersByTime(o.getCreateTime(), o.getCreateTime());
    ASSERT_EQ(read.size(), 1u);
    const TPOOrder& r = read[0];
    EXPECT_EQ(QStringList({r.getGuestName(), r.getGuestNum(), r.getRebateType(), r.getInvoice(), r.getState(),
                           r.getOperatorName()}),
              QStringList({"O'Neil 王", "4", "打折", "有", "ORD001", "李四"}));
    EXPECT_EQ(double(r.getCreateTime()), double(o.getCreateTime()));
    EXPECT_DOUBLE_EQ(r.getPrice1(), 123.45);
    EXPECT_DOUBLE_EQ(r.getPrice(), 123.45 / 0.8);

    std::vector<TPOTableIns> none;  // the order alone
    EXPECT_EQ(TOrderMgr::insert(o, none), 101);
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(OrderMgrTest, FailedCheckoutLeavesNeitherOrderNorTableChanges) {
    std::vector<TPOTableIns> tables{openTable(1), openTable(2)};
    QStringList before = instanceStates();
    failOn("update", "table_instance", QString("new.id=%1").arg(tables[1].getId()));
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 0, 0), 50), tables), 0);
    EXPECT_EQ(answers.texts(), QStringList{"添加订单出现异常！"});
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
    EXPECT_EQ(instanceStates(), before);

    // Without an id nothing is attempted and the table stays open, in memory too.
    answers.clear();
    exec("delete from sequence where name='order.id'");
    std::vector<TPOTableIns> fresh{openTable(3)};
    EXPECT_EQ(TOrderMgr::insert(bill(encodeDateTime(2024, 5, 10, 12, 0, 0), 50), fresh), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(order.id)！"});
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
    EXPECT_EQ(fresh[0].getState(), TPOTableIns::stateInUse);
}

TEST_F(OrderMgrTest, ListsByTimeByDayAndOperatorAndByClosing) {
    std::vector<TPOTableIns> none;
    TDateTime lastSecond = encodeDateTime(2024, 5, 10, 23, 59, 59);
    TDateTime morning = encodeDateTime(2024, 5, 10, 9, 0, 0);
    TDateTime nextMidnight = encodeDateTime(2024, 5, 11, 0, 0, 0);
    TOrderMgr::insert(bill(lastSecond, 10), none);
    TOrderMgr::insert(bill(morning, 20), none);
    TOrderMgr::insert(bill(nextMidnight, 30), none);
    TOrderMgr::insert(bill(morning, 40, 4), none);

    TDateTime day = encodeDateTime(2024, 5, 10);
    EXPECT_EQ(times(TOrderMgr::getOrdersByDate(day, 3, TPOOrder::stateCheckedOut)), (QStringList{"05-10 09:00:00", "05-10 23:59:59"}));
    EXPECT_TRUE(TOrderMgr::getOrdersByDate(day, 3, TPOOrder::stateClosed).empty());
    EXPECT_TRUE(TOrderMgr::getOrdersByDate(morning, 3, TPOOrder::stateCheckedOut).empty());
    // Both ends of a time range are included.
    EXPECT_EQ(TOrderMgr::getOrdersByTime(morning, lastSecond).size(), 3u);
    EXPECT_EQ(times(TOrderMgr::getOrdersByTime(lastSecond, nextMidnight)), (QStringList{"05-10 23:59:59", "05-11 00:00:00"}));

    exec("insert into prick_order_rela(prick_id,order_id) values(9,100),(9,102)");
    EXPECT_EQ(times(TOrderMgr::getOrdersByPrickId(9)), (QStringList{"05-10 23:59:59", "05-11 00:00:00"}));
    EXPECT_TRUE(TOrderMgr::getOrdersByPrickId(10).empty());
}
