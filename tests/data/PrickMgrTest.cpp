#include "data/OrderMgrUnit.h"
#include "data/PrickMgrUnit.h"
#include "platform/Formats.h"
#include "support/TestDatabase.h"

namespace {
TDateTime day1() { return encodeDateTime(2024, 5, 10); }
const QString changed = "扎账数据已变化，请刷新后重试！";

class PrickMgrTest : public SampleDbTest {
protected:
    int nextOrder = 100;
    void checkout(int operatorId, const QString& name, TDateTime when, double price1) {
        exec(QString("insert into o_order(id,create_time,price1,state,operator_id,operator_name) "
                     "values(%1,%2,%3,'ORD001',%4,'%5')")
                 .arg(nextOrder++).arg(double(when), 0, 'g', 17).arg(price1).arg(operatorId).arg(name));
    }
    static QStringList summary() {
        QStringList out;
        for (const TPOPrick& p : TPrickMgr::getNotPrickList())
            out << QString("%1|%2|%3|%4").arg(p.getEmployeeId())
                       .arg(p.getEmployeeName(), formatDateTime("yyyy-MM-dd hh:nn:ss", p.getToDate())).arg(p.getMoney());
        out.sort();
        return out;
    }
    // The summary row of an employee name, made ready to close as the closing window does.
    static TPOPrick rowOf(const QString& name) {
        for (TPOPrick p : TPrickMgr::getNotPrickList()) {
            if (p.getEmployeeName() == name && double(p.getToDate()) == double(day1())) {
                p.setOperatorName("王五");
                return p;
            }
        }
        ADD_FAILURE() << "no summary row for " << name.toStdString();
        return TPOPrick();
    }
    QStringList orderStates() { return rows("select id,state from o_order order by id"); }
    QStringList closings() { return rows("select id,operator_name,employee_id,employee_name,toDate,m_money from prick"); }
    int links() { return scalarInt("select count(*) from prick_order_rela"); }
};
}  // namespace

TEST_F(PrickMgrTest, SummarisesPerEmployeeNameAndDayAndClosesExactlyTheOrdersOfARow) {
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 9, 0, 0), 100.1);
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 20, 0, 0), 0.2);
    checkout(2, "张三丰", encodeDateTime(2024, 5, 10, 13, 0, 0), 5);  // renamed operator, same employee and day
    checkout(2, "张三", encodeDateTime(2024, 5, 11, 9, 0, 0), 9);      // next day
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 9, 0, 0), 11);
    // Both ends of the day, and the next midnight; ids out of time order.
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 0, 0, 0), 1);
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 23, 59, 59), 2);
    checkout(2, "张三", encodeDateTime(2024, 5, 11), 4);
    EXPECT_EQ(summary(), (QStringList{"2|张三|2024-05-10 00:00:00|103.3", "2|张三|2024-05-11 00:00:00|13",
                                      "2|张三丰|2024-05-10 00:00:00|5", "3|李四|2024-05-10 00:00:00|11"}));

    EXPECT_EQ(TPrickMgr::prick(rowOf("张三")), 100);
    EXPECT_EQ(closings(), QStringList{QString("100|王五|2|张三|%1|103.3").arg(double(day1()), 0, 'g', 15)});
    EXPECT_EQ(orderStates(), (QStringList{"100|ORD003", "101|ORD003", "102|ORD001", "103|ORD001", "104|ORD001",
                                          "105|ORD003", "106|ORD003", "107|ORD001"}));
    EXPECT_EQ(rows("select order_id from prick_order_rela order by rowid"), (QStringList{"100", "101", "105", "106"}));
    EXPECT_EQ(summary().size(), 3);
    EXPECT_EQ(TPrickMgr::prick(rowOf("张三丰")), 101);  // the renamed operator's row closes on its own
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(PrickMgrTest, RefusedOrFailedClosingsWriteNothing) {
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 9, 0, 0), 40);
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 9, 0, 0), 11);
    TPOPrick row = rowOf("张三");
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 21, 0, 0), 15);  // after the list was read
    EXPECT_EQ(TPrickMgr::prick(row), 0);
    failOn("update", "o_order", "new.operator_id=3");
    EXPECT_EQ(TPrickMgr::prick(rowOf("李四")), 0);
    EXPECT_EQ(answers.texts(), (QStringList{changed, "扎账时出现异常，请联系开发商！"}));
    EXPECT_TRUE(closings().isEmpty());
    EXPECT_EQ(links(), 0);
    EXPECT_EQ(orderStates(), (QStringList{"100|ORD001", "101|ORD001", "102|ORD001"}));

    // Read again, it closes; pressing again on the same row is refused.
    answers.clear();
    TPOPrick fresh = rowOf("张三");
    EXPECT_GT(TPrickMgr::prick(fresh), 0);
    EXPECT_EQ(TPrickMgr::prick(fresh), 0);
    exec("delete from sequence where name='prick.id'");
    EXPECT_EQ(TPrickMgr::prick(rowOf("李四")), 0);
    EXPECT_EQ(answers.texts(), (QStringList{changed, "没有找到(prick.id)！"}));
    EXPECT_EQ(closings().size(), 1);
    EXPECT_EQ(links(), 2);
}
