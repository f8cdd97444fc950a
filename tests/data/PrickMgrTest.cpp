#include "data/OrderMgrUnit.h"
#include "data/PrickMgrUnit.h"
#include "platform/Formats.h"
#include "support/TestDatabase.h"

namespace {
TDateTime day1() { return encodeDateTime(2024, 5, 10); }
TDateTime day2() { return encodeDateTime(2024, 5, 11); }

class PrickMgrTest : public SampleDbTest {
protected:
    void checkout(int operatorId, const QString& name, TDateTime when, double price1) {
        TPOOrder o;
        o.setCreateTime(when);
        o.setPrice(price1 + 10);
        o.setPrice1(price1);
        o.setState(TPOOrder::stateCheckedOut);
        o.setOperatorId(operatorId);
        o.setOperatorName(name);
        std::vector<TPOTableIns> none;
        ASSERT_GT(TOrderMgr::insert(o, none), 0);
    }
    static QStringList summary() {
        QStringList out;
        for (const TPOPrick& p : TPrickMgr::getNotPrickList())
            out << QString("%1|%2|%3|%4")
                       .arg(p.getEmployeeId())
                       .arg(p.getEmployeeName(), formatDateTime("yyyy-MM-dd hh:nn:ss", p.getToDate()))
                       .arg(p.getMoney());
        out.sort();
        return out;
    }
    // The summary row of an employee name, made ready to close as the closing window does.
    static TPOPrick rowOf(const QString& name, TDateTime day) {
        for (TPOPrick p : TPrickMgr::getNotPrickList()) {
            if (p.getEmployeeName() == name && double(p.getToDate()) == double(day)) {
                p.setOperatorId(4);
                p.setOperatorName("王五");
                p.setCreateTime(encodeDateTime(2024, 5, 11, 22, 0, 0));
                return p;
            }
        }
        ADD_FAILURE() << "no summary row for " << name.toStdString();
        return TPOPrick();
    }
    QStringList orderStates() { return rows("select id,state from o_order order by id"); }
    QStringList writtenClosings() {
        return rows("select id,operator_id,operator_name,employee_id,employee_name,toDate,m_money from prick order by id");
    }
};
}  // namespace

TEST_F(PrickMgrTest, SummarisesPerEmployeeNameAndDayAndClosesExactlyTheOrdersOfARow) {
    EXPECT_TRUE(summary().isEmpty());
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 9, 0, 0), 100.1);
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 20, 0, 0), 0.2);
    checkout(2, "张三丰", encodeDateTime(2024, 5, 10, 13, 0, 0), 5);  // renamed operator, same employee and day
    checkout(2, "张三", encodeDateTime(2024, 5, 11, 9, 0, 0), 9);      // next day
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 9, 0, 0), 11);
    EXPECT_EQ(summary(), (QStringList{"2|张三|2024-05-10 00:00:00|100.3", "2|张三|2024-05-11 00:00:00|9",
                                      "2|张三丰|2024-05-10 00:00:00|5", "3|李四|2024-05-10 00:00:00|11"}));

    TPOPrick row = rowOf("张三", day1());
    int id = TPrickMgr::prick(row);
    EXPECT_EQ(id, 100);
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(writtenClosings(),
              QStringList{QString("100|4|王五|2|张三|%1|100.3").arg(double(day1()), 0, 'g', 15)});
    EXPECT_EQ(orderStates(), (QStringList{"100|ORD003", "101|ORD003", "102|ORD001", "103|ORD001", "104|ORD001"}));
    EXPECT_EQ(summary(), (QStringList{"2|张三|2024-05-11 00:00:00|9", "2|张三丰|2024-05-10 00:00:00|5",
                                      "3|李四|2024-05-10 00:00:00|11"}));

    // The renamed operator's row closes on its own, with its own sum.
    EXPECT_EQ(TPrickMgr::prick(rowOf("张三丰", day1())), 101);
    EXPECT_EQ(TOrderMgr::getOrdersByPrickId(101).size(), 1u);
    EXPECT_EQ(scalar("select m_money from prick where id=101"), "5");
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(PrickMgrTest, RefusesAClosingWhoseOrdersChangedSinceTheListWasRead) {
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 9, 0, 0), 40);
    TPOPrick row = rowOf("张三", day1());
    // Another checkout for the same employee and day after the list was read.
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 21, 0, 0), 15);
    QStringList before = orderStates();

    EXPECT_EQ(TPrickMgr::prick(row), 0);
    EXPECT_EQ(answers.texts(), QStringList{"扎账数据已变化，请刷新后重试！"});
    EXPECT_TRUE(writtenClosings().isEmpty());
    EXPECT_EQ(scalarInt("select count(*) from prick_order_rela"), 0);
    EXPECT_EQ(orderStates(), before);

    // Read again, it closes; pressing again on the same row is refused.
    answers.clear();
    TPOPrick fresh = rowOf("张三", day1());
    EXPECT_DOUBLE_EQ(fresh.getMoney(), 55);
    int id = TPrickMgr::prick(fresh);
    EXPECT_GT(id, 0);
    EXPECT_EQ(TPrickMgr::prick(fresh), 0);
    EXPECT_EQ(answers.texts(), QStringList{"扎账数据已变化，请刷新后重试！"});
    EXPECT_EQ(writtenClosings().size(), 1);
    EXPECT_EQ(scalarInt("select count(*) from prick_order_rela"), 2);
    EXPECT_EQ(TOrderMgr::getOrdersByPrickId(id).size(), 2u);
}

TEST_F(PrickMgrTest, FailedClosingWritesNothing) {
    checkout(2, "张三", encodeDateTime(2024, 5, 11, 9, 0, 0), 40);
    TPOPrick row = rowOf("张三", day2());
    failOn("update", "o_order");
    EXPECT_EQ(TPrickMgr::prick(row), 0);
    EXPECT_EQ(answers.texts(), QStringList{"扎账时出现异常，请联系开发商！"});
    EXPECT_TRUE(writtenClosings().isEmpty());
    EXPECT_EQ(scalarInt("select count(*) from prick_order_rela"), 0);
    EXPECT_EQ(orderStates(), QStringList{"100|ORD001"});
    answers.clear();
    exec("delete from sequence where name='prick.id'");
    EXPECT_EQ(TPrickMgr::prick(row), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(prick.id)！"});
    EXPECT_TRUE(writtenClosings().isEmpty());
}
