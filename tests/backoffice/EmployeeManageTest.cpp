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
    static QTreeWidgetItem* node(QTreeWidget* tree, const QString& text) {
        auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_FALSE(found.isEmpty()) << text.toStdString();
        return found.isEmpty() ? nullptr : found.first();
    }
    static void clickNode(QTreeWidget* tree, const QString& text) {
        QTreeWidgetItem* item = node(tree, text);
        if (!item) return;
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }
    static void clickRow(TStringGrid* grid, int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, 1)).center());
    }
    // Top-level nodes, children in brackets.
    static QStringList tree(QTreeWidget* t) {
        std::function<QString(QTreeWidgetItem*)> text = [&](QTreeWidgetItem* n) {
            QStringList children;
            for (int i = 0; i < n->childCount(); ++i) children << text(n->child(i));
            return n->text(0) + (children.isEmpty() ? "" : "[" + children.join(",") + "]");
        };
        QStringList out;
        for (int i = 0; i < t->topLevelItemCount(); ++i) out << text(t->topLevelItem(i));
        return out;
    }
    static QStringList column(TStringGrid* grid, int col) {
        QStringList out;
        for (int r = 1; r < grid->rowCount(); ++r) out << grid->cell(col, r);
        return out;
    }
    static QStringList entries(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static void grant(TemployeeManageForm& form, const QStringList& names) {
        form.rightList->clearSelection();
        for (const QString& n : names) {
            auto found = form.rightList->findItems(n, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << n.toStdString();
            found.first()->setSelected(true);
        }
        click(form.selectRightBtn);
    }
    // Types into the in-place editor of the selected node and confirms with Enter.
    static void rename(TemployeeManageForm& form, const QString& text) {
        form.changeName->trigger();
        auto* editor = form.teamTree->viewport()->findChild<QLineEdit*>();
        ASSERT_TRUE(editor);
        type(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);  // the view commits queued
        flushDeletes();
    }
};

// A database as makedb makes it: the root team, the administrator, nothing else.
class EmployeeManageNewDbTest : public EmployeeManageTest {
protected:
    QStringList fixtures() const override { return {}; }
};
}  // namespace

TEST_F(EmployeeManageNewDbTest, TeamTreeIsBuiltRenamedAndKeepsTeamsWithMembers) {
    auto* form = new TemployeeManageForm;
    form->show();
    EXPECT_TRUE(tree(form->teamTree).isEmpty());  // only teams below the root team are shown

    form->addTeam->trigger();  // nothing selected: under the root team
    EXPECT_EQ(rows("select parent_id, name from team where id<>1"), QStringList{"1|新建团队"});
    form->teamTree->setCurrentItem(node(form->teamTree, "新建团队"));
    rename(*form, "厨房");
    rename(*form, "   ");
    EXPECT_EQ(answers.last(), "团队名称不能为空！");
    EXPECT_EQ(tree(form->teamTree), QStringList{"厨房"});
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
    form->teamTree->setCurrentItem(node(form->teamTree, "厨房"));
    form->delTeam->trigger();
    EXPECT_EQ(answers.texts(), QStringList({"是否真的要删除(厨房)团队?", "删除团队出现异常,该团队可能存在子团队或员工！"}));
    form->teamTree->setCurrentItem(node(form->teamTree, "全体员工"));
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
    auto* form = new TemployeeManageForm;
    form->show();
    click(form->createEmployee);  // no team chosen yet
    EXPECT_EQ(answers.last(), "请选择团队！");

    clickNode(form->teamTree, "前厅");
    EXPECT_EQ(column(form->employeeGrid, 1), QStringList({"王五", "张三"}));
    EXPECT_EQ(column(form->employeeGrid, 3), QStringList({"男", "男"}));
    clickRow(form->employeeGrid, 2);
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
    grant(*form, {"选项", "营业管理"});
    EXPECT_EQ(entries(form->selectRightList), QStringList({"选项", "营业管理"}));  // appended in list order
    EXPECT_FALSE(entries(form->rightList).contains("选项"));
    click(form->saveEmployee);
    const QString id = form->employeeId->text();
    EXPECT_NE(id, "0");
    EXPECT_EQ(scalar("select team_id||login_name||user_name from employee where id=" + id), "2Zhao赵六");
    EXPECT_EQ(column(form->employeeGrid, 1), QStringList({"王五", "张三", "赵六"}));

    // The second save updates the same employee, here with one right fewer.
    answers.clear();
    form->selectRightList->clearSelection();
    form->selectRightList->findItems("营业管理", Qt::MatchExactly).first()->setSelected(true);
    click(form->cancelRightBtn);
    grant(*form, {"收银台"});
    click(form->saveEmployee);
    EXPECT_EQ(answers.texts(), QStringList{"保存成功员工(赵六)！"});
    EXPECT_EQ(scalarInt("select count(*) from employee where user_name='赵六'"), 1);
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=" + id),
              QStringList({"option", "tollStation"}));

    // Login names are unique whatever their letter case.
    click(form->createEmployee);
    type(form->loginName, "ZHANGSAN");
    click(form->saveEmployee);
    EXPECT_EQ(answers.last(), "添加员工出现异常！");
    EXPECT_EQ(scalarInt("select count(*) from employee"), 5);
    form->close();

    logInAs("zhao", "Pw1");
    TmainForm main;
    main.buildFunctionTree(currentEmployeeId);
    ASSERT_EQ(main.functionTree->topLevelItemCount(), 1);
    EXPECT_EQ(main.functionTree->topLevelItem(0)->text(0), "收银台");
    EXPECT_TRUE(main.optionItem->isEnabled());
}

TEST_F(EmployeeManageTest, EmployeesMoveBetweenTeamsButNeverIntoADeletedOne) {
    exec("insert into team values (200, 1, '临时', '')");
    auto* form = new TemployeeManageForm;
    form->show();
    clickNode(form->teamTree, "前厅");
    clickRow(form->employeeGrid, 1);  // 王五
    clickNode(form->employeeTeamTree, "收银");
    EXPECT_EQ(form->teamName->text(), "收银");
    click(form->saveEmployee);
    EXPECT_EQ(scalarInt("select team_id from employee where id=4"), 3);
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=4"), 10);
    EXPECT_EQ(column(form->employeeGrid, 1), QStringList{"张三"});

    // The employee's team tree still offers a team deleted meanwhile.
    clickRow(form->employeeGrid, 1);
    clickNode(form->employeeTeamTree, "临时");
    form->teamTree->setCurrentItem(node(form->teamTree, "临时"));
    form->delTeam->trigger();
    click(form->saveEmployee);
    EXPECT_EQ(answers.last(), "请选择团队！");
    EXPECT_EQ(scalarInt("select team_id from employee where id=2"), 2);

    clickNode(form->teamTree, "收银");
    clickRow(form->employeeGrid, 1);
    click(form->deleteEmployee);
    EXPECT_EQ(answers.texts().mid(answers.count() - 2), QStringList({"是否真的要删除(李四)?", "删除成功！"}));
    EXPECT_EQ(column(form->employeeGrid, 1), QStringList{"王五"});
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=3"), 3);  // rights stay

    // Deleting the current team leaves no team to create employees in.
    exec("update employee set team_id=2 where id=4");
    form->teamTree->setCurrentItem(node(form->teamTree, "收银"));
    form->delTeam->trigger();
    EXPECT_EQ(scalarInt("select count(*) from team where id=3"), 0);
    click(form->createEmployee);
    EXPECT_EQ(answers.last(), "请选择团队！");
    form->close();
}
