#include "data/DatabaseCtrlUnit.h"
#include "data/SequenceMgrUnit.h"
#include "support/TestDatabase.h"

using SequenceTest = DbTest;

TEST_F(SequenceTest, IssuesConsecutiveIdsAndKeepsThemUsedAfterARollback) {
    exec("update sequence set seq_value=41 where name='order.id'");
    TSequenceMgr seq;
    EXPECT_EQ(seq.getNextValue("order.id"), 41);
    EXPECT_EQ(scalarInt("select seq_value from sequence where name='order.id'"), 42);
    EXPECT_EQ(seq.getNextValue("order.id"), 42);
    {
        TDatabaseCtrl c;
        c.beginTrans();
        c.rollbackTrans();
    }
    // An id drawn before a rolled-back batch stays used up.
    int drawn = seq.getNextValue("order.id");
    TDatabaseCtrl c;
    c.beginTrans();
    c.execute(QString("insert into o_order(id) values(%1)").arg(drawn));
    c.rollbackTrans();
    EXPECT_EQ(seq.getNextValue("order.id"), drawn + 1);
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(SequenceTest, MissingKeyAndFailingIncrementIssueNothing) {
    QStringList before = rows("select * from sequence order by name");
    TSequenceMgr seq;
    EXPECT_EQ(seq.getNextValue("nosuch.id"), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(nosuch.id)！"});
    EXPECT_EQ(rows("select * from sequence order by name"), before);

    answers.clear();
    failOn("update", "sequence");
    EXPECT_EQ(seq.getNextValue("menu.id"), 0);
    EXPECT_EQ(answers.texts(), QStringList{"获得(menu.id)值出现异常！"});
    EXPECT_EQ(rows("select * from sequence order by name"), before);
    // A quote in a key cannot break the statement.
    answers.clear();
    EXPECT_EQ(seq.getNextValue("x' or '1'='1"), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(x' or '1'='1)！"});
}

TEST_F(SequenceTest, TwoConnectionsNeverGetTheSameId) {
    // A second program on the same file draws from the same counter.
    TSequenceMgr seq;
    int a = seq.getNextValue("guest.id");
    exec("update sequence set seq_value=seq_value+1 where name='guest.id'");
    int b = seq.getNextValue("guest.id");
    EXPECT_EQ(b, a + 2);
}
