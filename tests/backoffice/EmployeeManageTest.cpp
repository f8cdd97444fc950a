#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

#include "backoffice/EmployeeManageUnit.h"
#include "frame/FrameFixture.h"
#include "platform/StringGrid.h"

namespace {
class EmployeeManageTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        form = new TemployeeManageForm;
        form->show();
    }
    static QTreeWidgetItem* node(QTreeWidget* tree, const QString& text) {
        auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_FALSE(found.isEmpty()) << text.toStdString();
        return found.value(0);
    }
    void select(const QString& team) { form->teamTree->setCurrentItem(node(form->teamTree, team)); }
    static void clickNode(QTreeWidget* tree, const QString& text) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node(tree, text)).center());
    }
    void clickRow(int row) {
        TStringGrid* grid = form->employeeGrid;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, 1)).center());
    }
    QStringList column(int col) const {
        QStringList out;
        for (int r = 1; r < form->employeeGrid->rowCount(); ++r) out << form->employeeGrid->cell(col, r);
        return out;
    }
    static QStringList entries(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    // Moves the named rights from one list to the other with the button between them.
    static void move(QListWidget* from, QPushButton* button, const QStringList& rights) {
        from->clearSelection();
        for (const QString& r : rights) from->findItems(r, Qt::MatchExactly).value(0)->setSelected(true);
        click(button);
    }
    // Types into the in-place editor of the selected node and confirms with Enter.
    void rename(const QString& text) {
        form->changeName->trigger();
        auto* editor = form->teamTree->viewport()->findChild<QLineEdit*>();
        ASSERT_TRUE(editor);
        type(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);  // the view commits queued
        flushDeletes();
    }
    TemployeeManageForm* form = nullptr;
};

// A database as makedb makes it: the root team, the administrator, nothing else.
class EmployeeManageNewDbTest : public EmployeeManageTest {
protected:
    QStringList fixtures() const override { return {}; }
};
}  // namespace

TEST_F(EmployeeManageNewDbTest, TeamTreeIsBuiltRenamedAndKeepsTeamsWithMembers) {
    EXPECT_TRUE(tree(form->teamTree).isEmpty());  // only teams below the root team are shown
    form->addTeam->trigger();  // nothing selected: under the root team
    EXPECT_EQ(rows("select parent_id, name from team where id<>1"), QStringList{"1|新建团队"});
    select("新建团队");
    rename("厨房");
    rename("   ");
    EXPECT_EQ(answers.last(), "团队名称不能为空！");
    EXPECT_EQ(tree(form->teamTree), QStringList{"厨房"});
    failOn("UPDATE", "team");  // a rename the database refuses: the stored name stays in sight
    rename("后厨");
    EXPECT_EQ(tree(form->teamTree), QStringList{"厨房"});
    EXPECT_EQ(scalar("select name from team where id<>1"), "厨房");
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    form->addTeam->trigger();  // under the selected team
    EXPECT_EQ(tree(form->teamTree), QStringList{"厨房[新建团队]"});
    EXPECT_EQ(rows("select t.name, p.name from team t join team p on p.id=t.parent_id order by t.id"),
              QStringList({"厨房|全体员工", "新建团队|厨房"}));

    form->refreshTeam->trigger();  // from the root teams
    EXPECT_EQ(tree(form->teamTree), QStringList{"全体员工[厨房[新建团队]]"});
    form->teamTree->setCurrentItem(nullptr);
    form->addTeam->trigger();  // lands under the shown root team
    EXPECT_EQ(tree(form->teamTree), QStringList{"全体员工[厨房[新建团队],新建团队]"});

    answers.clear();
    select("厨房");
    form->delTeam->trigger();
    EXPECT_EQ(answers.texts(), QStringList({"是否真的要删除(厨房)团队?", "删除团队出现异常,该团队可能存在子团队或员工！"}));
    select("全体员工");
    form->delTeam->trigger();  // the root team holds the administrator
    EXPECT_EQ(tree(form->teamTree), QStringList{"全体员工[厨房[新建团队],新建团队]"});
    form->teamTree->setCurrentItem(node(form->teamTree, "厨房")->child(0));
    form->delTeam->trigger();
    EXPECT_EQ(tree(form->teamTree), QStringList{"全体员工[厨房,新建团队]"});
    EXPECT_EQ(scalarInt("select count(*) from team"), 3);
    form->close();

    TemployeeManageForm reopened;  // the team added without a parent is still in sight
    EXPECT_EQ(tree(reopened.teamTree), QStringList({"厨房", "新建团队"}));
}

TEST_F(EmployeeManageTest, NewEmployeeWithRightsLogsInToExactlyThoseFunctions) {
    click(form->createEmployee);  // no team chosen yet
    EXPECT_EQ(answers.last(), "请选择团队！");

    clickNode(form->teamTree, "前厅");
    EXPECT_EQ(column(1), QStringList({"王五", "张三"}));
    EXPECT_EQ(column(3), QStringList({"男", "男"}));
    clickRow(1);  // the row the fill selected
    EXPECT_EQ(form->loginName->text(), "wangwu");
    clickRow(2);
    EXPECT_EQ(form->loginName->text(), "zhangsan");
    EXPECT_EQ(form->statusStudent->currentText(), "中专");
    EXPECT_EQ(entries(form->selectRightList), QStringList({"传菜管理", "营业管理", "预订管理"}));
    EXPECT_TRUE(form->deleteEmployee->isEnabled());
    EXPECT_FALSE(form->saveEmployee->isEnabled());

    click(form->createEmployee);
    EXPECT_EQ(form->employeeId->text(), "0");
    EXPECT_EQ(form->teamName->text(), "前厅");
    type(form->loginName, "Zhao");
    type(form->password, "Pw1");
    type(form->userName, "赵六");
    EXPECT_TRUE(form->saveEmployee->isEnabled());
    move(form->rightList, form->selectRightBtn, {"选项", "营业管理"});
    EXPECT_EQ(entries(form->selectRightList), QStringList({"选项", "营业管理"}));  // appended in list order
    EXPECT_FALSE(entries(form->rightList).contains("选项"));
    click(form->saveEmployee);
    const QString id = form->employeeId->text();
    EXPECT_NE(id, "0");
    EXPECT_EQ(scalar("select team_id||login_name||user_name from employee where id=" + id), "2Zhao赵六");
    EXPECT_EQ(column(1), QStringList({"王五", "张三", "赵六"}));

    // The second save updates the same employee, here with other rights.
    answers.clear();
    move(form->selectRightList, form->cancelRightBtn, {"营业管理"});
    move(form->rightList, form->selectRightBtn, {"收银台"});
    click(form->saveEmployee);
    EXPECT_EQ(answers.texts(), QStringList{"保存成功员工(赵六)！"});
    EXPECT_EQ(scalarInt("select count(*) from employee where user_name='赵六'"), 1);
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=" + id),
              QStringList({"option", "tollStation"}));

    click(form->createEmployee);  // login names are unique whatever their letter case
    type(form->loginName, "ZHANGSAN");
    click(form->saveEmployee);
    EXPECT_EQ(answers.last(), "添加员工出现异常！");
    EXPECT_EQ(scalarInt("select count(*) from employee"), 5);

    logInAs("zhao", "Pw1");
    TmainForm main;
    main.buildFunctionTree(currentEmployeeId);
    EXPECT_EQ(tree(main.functionTree), QStringList{"收银台"});
    EXPECT_TRUE(main.optionItem->isEnabled());
}

TEST_F(EmployeeManageTest, EmployeesMoveBetweenTeamsButNeverIntoADeletedOne) {
    exec("insert into team values (200, 1, '临时', '')");
    form->close();
    form = new TemployeeManageForm;
    form->show();
    clickNode(form->teamTree, "前厅");
    clickRow(1);  // 王五
    clickNode(form->employeeTeamTree, "收银");
    EXPECT_EQ(form->teamName->text(), "收银");
    click(form->saveEmployee);
    EXPECT_EQ(scalarInt("select team_id from employee where id=4"), 3);
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=4"), 10);
    EXPECT_EQ(column(1), QStringList{"张三"});

    // The employee's team tree still offers a team deleted meanwhile.
    clickRow(1);
    clickNode(form->employeeTeamTree, "临时");
    select("临时");
    form->delTeam->trigger();
    click(form->saveEmployee);
    EXPECT_EQ(answers.last(), "请选择团队！");
    EXPECT_EQ(scalarInt("select team_id from employee where id=2"), 2);

    // "删除员工" asks first: No keeps the employee, Yes deletes it (its rights stay).
    clickNode(form->teamTree, "收银");
    clickRow(1);
    answers.clear();
    answers.push(AnsNo);
    click(form->deleteEmployee);
    EXPECT_EQ(answers.texts(), QStringList{"是否真的要删除(李四)?"});
    EXPECT_EQ(column(1), QStringList({"李四", "王五"}));
    EXPECT_EQ(scalarInt("select count(*) from employee where id=3"), 1);
    click(form->deleteEmployee);
    EXPECT_EQ(answers.texts().mid(1), QStringList({"是否真的要删除(李四)?", "删除成功！"}));
    EXPECT_EQ(column(1), QStringList{"王五"});
    EXPECT_EQ(scalarInt("select count(*) from employee where id=3"), 0);
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=3"), 3);  // rights stay
    EXPECT_FALSE(form->deleteEmployee->isEnabled() || form->saveEmployee->isEnabled());

    // Deleting the current team leaves no team to create employees in.
    exec("update employee set team_id=2 where id=4");
    select("收银");
    form->delTeam->trigger();
    EXPECT_EQ(scalarInt("select count(*) from team where id=3"), 0);
    click(form->createEmployee);
    EXPECT_EQ(answers.last(), "请选择团队！");
}

TEST_F(EmployeeManageTest, AnEmployeeDeletedAtAnotherStationIsNotSavedAgain) {
    clickNode(form->teamTree, "前厅");
    clickRow(1);  // 王五
    const QString held = "select right_number from employee_right where employee_id=4 order by rowid";
    const QStringList rightsLeft = rows(held);
    exec("delete from employee where id=4");  // as "删除" leaves it: its rights stay
    type(form->roleName, "领班");
    move(form->selectRightList, form->cancelRightBtn, {"营业管理"});
    click(form->saveEmployee);
    EXPECT_EQ(answers.texts(), QStringList{"修改员工出现异常！"});
    EXPECT_EQ(scalarInt("select count(*) from employee where id=4"), 0);
    EXPECT_EQ(rows(held), rightsLeft);
    EXPECT_EQ(form->employeeGrid->rowCount(), 2);
    EXPECT_EQ(form->employeeGrid->cell(1, 1), "张三");
}
