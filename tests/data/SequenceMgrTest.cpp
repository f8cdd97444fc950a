#include "data/DatabaseCtrlUnit.h"
#include "data/SequenceMgrUnit.h"
#include "support/TestDatabase.h"

using SequenceTest = DbTest;

TEST_F(SequenceTest, IssuesConsecutiveIdsThatStayUsedAndNothingOnFailure) {
    exec("update sequence set seq_value=41 where name='order.id'");
    TSequenceMgr seq;
    EXPECT_EQ(seq.getNextValue("order.id"), 41);
    EXPECT_EQ(seq.getNextValue("order.id"), 42);
    // An id drawn for a rolled-back batch stays used up.
    int drawn = seq.getNextValue("order.id");
    TDatabaseCtrl c;
    c.beginTrans();
    c.execute(QString("insert into o_order(id) values(%1)").arg(drawn));
    c.rollbackTrans();
    EXPECT_EQ(seq.getNextValue("order.id"), drawn + 1);
    // Another program drawing from the same file is seen at once.
    exec("update sequence set seq_value=seq_value+1 where name='order.id'");
    EXPECT_EQ(seq.getNextValue("order.id"), drawn + 3);

    QStringList before = rows("select * from sequence order by name");
    EXPECT_EQ(seq.getNextValue("nosuch.id"), 0);
    EXPECT_EQ(seq.getNextValue("x' or '1'='1"), 0);  // a quote cannot break the statement
    failOn("update", "sequence");
    EXPECT_EQ(seq.getNextValue("menu.id"), 0);
    EXPECT_EQ(answers.texts(), (QStringList{"没有找到(nosuch.id)！", "没有找到(x' or '1'='1)！", "获得(menu.id)值出现异常！"}));
    EXPECT_EQ(rows("select * from sequence order by name"), before);
}
