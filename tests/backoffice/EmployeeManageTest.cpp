#include <QAction>
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
    select("新建团队");
    rename("厨房");
    form->addTeam->trigger();  // under the selected team
    EXPECT_EQ(tree(form->teamTree), QStringList{"厨房[新建团队]"});

    form->refreshTeam->trigger();  // from the root teams
    EXPECT_EQ(tree(form->teamTree), QStringList{"全体员工[厨房[新建团队]]"});
    select("厨房");
    form->delTeam->trigger();
    EXPECT_EQ(answers.last(), "删除团队出现异常,该团队可能存在子团队或员工！");
    select("新建团队");
    form->delTeam->trigger();
    EXPECT_EQ(tree(form->teamTree), QStringList{"全体员工[厨房]"});
    EXPECT_EQ(scalarInt("select count(*) from team"), 2);
}

// Logging in with the rights given is the evening test's.
TEST_F(EmployeeManageTest, NewEmployeeIsSavedOnceWithTheRightsLastChosen) {
    clickNode(form->teamTree, "前厅");
    click(form->createEmployee);
    type(form->loginName, "Zhao");
    type(form->password, "Pw1");
    type(form->userName, "赵六");
    move(form->rightList, form->selectRightBtn, {"选项", "营业管理"});
    click(form->saveEmployee);
    const QString id = form->employeeId->text();
    EXPECT_EQ(scalar("select team_id||login_name||user_name from employee where id=" + id), "2Zhao赵六");

    // The second save updates the same employee, here with other rights.
    move(form->selectRightList, form->cancelRightBtn, {"营业管理"});
    move(form->rightList, form->selectRightBtn, {"收银台"});
    click(form->saveEmployee);
    EXPECT_EQ(rows("select e.id||r.right_number from employee e join employee_right r on r.employee_id=e.id "
                   "where e.user_name='赵六' order by 1"),
              QStringList({id + "option", id + "tollStation"}));
}

TEST_F(EmployeeManageTest, EmployeesMoveBetweenTeamsButNeverIntoADeletedOne) {
    exec("insert into team values (200, 1, '临时', '')");
    form->close();
    form = new TemployeeManageForm;
    form->show();
    clickNode(form->teamTree, "前厅");
    clickRow(1);  // 王五
    clickNode(form->employeeTeamTree, "收银");
    click(form->saveEmployee);
    EXPECT_EQ(scalarInt("select team_id from employee where id=4"), 3);

    // The employee's team tree still offers a team deleted meanwhile.
    clickRow(1);
    clickNode(form->employeeTeamTree, "临时");
    select("临时");
    form->delTeam->trigger();
    click(form->saveEmployee);
    EXPECT_EQ(answers.last(), "请选择团队！");
    EXPECT_EQ(scalarInt("select team_id from employee where id=2"), 2);

    // Deleting the current team leaves no team to create employees in.
    exec("update employee set team_id=2 where team_id=3");
    clickNode(form->teamTree, "收银");
    form->delTeam->trigger();
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
