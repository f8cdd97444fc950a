#include "service/PrickUnit.h"
#include "service/ServiceFixture.h"

namespace {
class PrickTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 12, 22, 0, 0));
    }
    void TearDown() override {
        delete form;
        ServiceTest::TearDown();
    }
    int nextOrder = 100;
    void checkout(int operatorId, const QString& name, TDateTime when, double price, double price1,
                  const QString& rebate = "无", double rebateValue = 0, const QString& state = "ORD001") {
        exec(QString("insert into o_order(id,create_time,rebate_type,rebate_value,price,price1,state,operator_id,"
                     "operator_name) values(%1,%2,'%3',%4,%5,%6,'%7',%8,'%9')")
                 .arg(nextOrder++).arg(double(when), 0, 'g', 17).arg(rebate).arg(rebateValue).arg(price)
                 .arg(price1).arg(state).arg(operatorId).arg(name));
    }
    void openAlone() {
        delete form;
        form = new TprickForm;
        form->show();
    }
    QStringList orderStates() { return rows("select id,state from o_order order by id"); }
    QStringList closings() { return rows("select count(*) from prick union all select count(*) from prick_order_rela"); }
    TprickForm* form = nullptr;
};
}  // namespace

TEST_F(PrickTest, ListsOpenEmployeeDaysAndClosesTheSelectedOneOnce) {
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 9, 0, 0), 99, 99, "无", 0, "ORD003");  // closed before
    openAlone();  // nothing open: only the titles, and "扎账" does nothing
    EXPECT_EQ(form->prickGrid->rowCount() + form->prickDetailGrid->rowCount(), 2);
    EXPECT_EQ(form->prickGrid->fixedRows(), 0);
    click(form->prickBtn);
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(closings(), (QStringList{"0", "0"}));

    checkout(2, "张三", encodeDateTime(2024, 5, 10, 12, 0, 0), 50, 50);
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 11, 30, 5), 110, 100.2, "打折", 8);
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 19, 0, 0), 23.25, 23.25);
    checkout(3, "李四", encodeDateTime(2024, 5, 11, 9, 0, 0), 30, 30);
    logInAs("wangwu", "123");
    openAlone();
    TStringGrid* list = form->prickGrid;
    TStringGrid* detail = form->prickDetailGrid;
    EXPECT_EQ(rowCells(list, 0), (QStringList{"编号", "操作者", "日期", "状态", "金额"}));
    EXPECT_EQ(gridRows(list), (QStringList{"1|张三|2024-05-10|未扎账|50", "2|李四|2024-05-10|未扎账|123",  // 123.45
                                           "3|李四|2024-05-11|未扎账|30"}));
    EXPECT_EQ(list->fixedRows(), 1);
    EXPECT_EQ(gridRows(detail), QStringList{"1|张三|2024-05-10 12:00:00|无|0.0|50|50"});  // the first row's orders
    clickRow(list, 2);
    EXPECT_EQ(gridRows(detail), (QStringList{"1|李四|2024-05-10 11:30:05|打折|8.0|110|100",
                                             "2|李四|2024-05-10 19:00:00|无|0.0|23|23"}));
    click(form->prickBtn);
    EXPECT_EQ(answers.texts(), QStringList{"扎账成功！"});
    EXPECT_EQ(columnCells(list, 3), (QStringList{"未扎账", "已扎账", "未扎账"}));
    EXPECT_EQ(rows("select operator_id,operator_name,employee_id,employee_name,toDate,create_time,m_money from prick"),
              QStringList{QString("4|王五|3|李四|%1|%2|123.45")
                              .arg(double(encodeDateTime(2024, 5, 10)), 0, 'g', 15)
                              .arg(double(encodeDateTime(2024, 5, 12, 22, 0, 0)), 0, 'g', 15)});
    EXPECT_EQ(orderStates(), (QStringList{"100|ORD003", "101|ORD001", "102|ORD003", "103|ORD003", "104|ORD001"}));
    EXPECT_EQ(rows("select order_id from prick_order_rela order by order_id"), (QStringList{"102", "103"}));

    // Selected again, the row shows the orders through its closing.
    clickRow(list, 1);
    clickRow(list, 2);
    EXPECT_EQ(columnCells(detail, 2), (QStringList{"2024-05-10 11:30:05", "2024-05-10 19:00:00"}));

    // A second press on the closed row writes nothing.
    answers.clear();
    click(form->prickBtn);
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(closings(), (QStringList{"1", "2"}));
}

TEST_F(PrickTest, ClosingRefusedAfterANewCheckoutReloadsTheListAndThenClosesEverything) {
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 11, 0, 0), 40, 40);
    checkout(3, "李四丰", encodeDateTime(2024, 5, 10, 12, 0, 0), 7, 7);  // same employee under an older name
    logInAs("lisi", "123");
    openAlone();
    TStringGrid* list = form->prickGrid;
    ASSERT_EQ(list->rowCount(), 3);
    const int row = list->cell(1, 1) == "李四" ? 1 : 2;
    clickRow(list, 3 - row);
    clickRow(list, row);
    // The detail holds exactly the orders the row sums and would close.
    EXPECT_EQ(columnCells(form->prickDetailGrid, 1), QStringList{"李四"});
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 21, 0, 0), 15, 15);  // after the list was read
    click(form->prickBtn);
    EXPECT_EQ(answers.texts(), QStringList{"扎账数据已变化，请刷新后重试！"});
    EXPECT_EQ(closings(), (QStringList{"0", "0"}));
    EXPECT_EQ(orderStates(), (QStringList{"100|ORD001", "101|ORD001", "102|ORD001"}));
    // Read again, the same row is selected with the present sum and orders.
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->row(), row);
    EXPECT_EQ(rowCells(list, row), (QStringList{QString::number(row), "李四", "2024-05-10", "未扎账", "55"}));
    EXPECT_EQ(form->prickDetailGrid->rowCount(), 3);

    answers.clear();
    click(form->prickBtn);
    EXPECT_EQ(answers.texts(), QStringList{"扎账成功！"});
    EXPECT_EQ(orderStates(), (QStringList{"100|ORD003", "101|ORD001", "102|ORD003"}));
    EXPECT_EQ(rows("select m_money,operator_name from prick"), QStringList{"55|李四"});
    EXPECT_EQ(closings(), (QStringList{"1", "2"}));
}

TEST_F(PrickTest, ARefusedClosingSelectsItsRowAgainWhereItNowStandsOrDropsADayClosedElsewhere) {
    checkout(2, "张三", encodeDateTime(2024, 5, 10, 12, 0, 0), 50, 50);
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 11, 0, 0), 40, 40);
    logInAs("lisi", "123");
    openAlone();
    clickRow(form->prickGrid, 2);
    checkout(3, "李四", encodeDateTime(2024, 5, 10, 21, 0, 0), 15, 15);  // after the list was read
    click(form->prickBtn);
    EXPECT_EQ(answers.texts(), QStringList{"扎账数据已变化，请刷新后重试！"});
    EXPECT_EQ(form->prickGrid->row(), 2);  // not the first row
    EXPECT_EQ(columnCells(form->prickDetailGrid, 1), (QStringList{"李四", "李四"}));

    exec("update o_order set state='ORD003' where operator_id=3");  // closed at another station
    click(form->prickBtn);
    EXPECT_EQ(answers.texts(), QStringList(2, "扎账数据已变化，请刷新后重试！"));
    EXPECT_EQ(gridRows(form->prickGrid), QStringList{"1|张三|2024-05-10|未扎账|50"});
    EXPECT_EQ(closings(), (QStringList{"0", "0"}));
}

TEST_F(PrickTest, OpensFromTheFunctionTreeOnlyWithItsRight) {
    registerFunctionWindow(11, [] { return new TprickForm; });
    for (auto [user, allowed] : {std::pair{"zhangsan", false}, std::pair{"lisi", true}}) {
        TmainForm main;
        showLoggedIn(main, user, "123");
        EXPECT_EQ(qobject_cast<TprickForm*>(main.openFunction(11)) != nullptr, allowed) << user;
    }
}
