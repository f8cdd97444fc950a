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
    checkout(2, "张三丰", encodeDateTime(2024, 5, 10, 13, 0, 0), 5);  // renamed operator, same employee and day
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 9, 0, 0), 11);
    // Both ends of the day, and the next midnight; ids out of time order.
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 0, 0, 0), 1);
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 23, 59, 59), 2);
    checkout(2, "张三", encodeDateTime(2024, 5, 11), 4);
    EXPECT_EQ(summary(), (QStringList{"2|张三|2024-05-10 00:00:00|103.1", "2|张三|2024-05-11 00:00:00|4",
                                      "2|张三丰|2024-05-10 00:00:00|5", "3|李四|2024-05-10 00:00:00|11"}));

    EXPECT_EQ(TPrickMgr::prick(rowOf("张三")), 100);
    EXPECT_EQ(closings(), QStringList{QString("100|王五|2|张三|%1|103.1").arg(double(day1()), 0, 'g', 15)});
    EXPECT_EQ(rows("select order_id from prick_order_rela order by rowid"), (QStringList{"100", "103", "104"}));
    EXPECT_EQ(rows("select id from o_order where state='ORD003'"), (QStringList{"100", "103", "104"}));
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
    EXPECT_EQ(answers.texts(), QStringList{changed});
    EXPECT_EQ(closings().size(), 1);
    EXPECT_EQ(links(), 2);
}
