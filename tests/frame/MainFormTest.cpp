#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeWidget>

#include "data/DatabaseCtrlUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ClickLabelUnit.h"
#include "frame/FrameFixture.h"
#include "frame/FunctionWindowsUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"
#include "frame/LoginUnit.h"
#include "platform/DateTime.h"
#include "platform/Errors.h"

namespace {
class MainFormTest : public FrameTest {
protected:
    // The tree as text: top-level nodes, children in brackets.
    QStringList tree(const TmainForm& main) {
        QStringList out;
        for (int i = 0; i < main.functionTree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = main.functionTree->topLevelItem(i);
            QString text = node->text(0);
            QStringList children;
            for (int c = 0; c < node->childCount(); ++c) children << node->child(c)->text(0);
            if (!children.isEmpty()) text += "[" + children.join(",") + "]";
            out << text;
        }
        return out;
    }
    QTreeWidgetItem* node(const TmainForm& main, const QString& text) {
        auto found = main.functionTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    // Double-clicks a node as the user does.
    void doubleClick(TmainForm& main, const QString& text) {
        QTreeWidgetItem* item = node(main, text);
        ASSERT_TRUE(item) << text.toStdString();
        main.functionTree->setCurrentItem(item);
        emit main.functionTree->itemDoubleClicked(item, 0);
    }
    // Scripts the about box and the login dialog of the first-paint sequence.
    void scriptLogin(DialogScript& script, const QString& user, const QString& password) {
        script.expect<TaboutForm>([](TaboutForm* d) { click(d->okBtn); });
        script.expect<TloginForm>([=](TloginForm* d) {
            if (user.isEmpty())
                click(d->cancelBtn);
            else
                logIn(d, user, password);
        });
    }
    const QStringList fullTree{"收银台",   "营业管理", "传菜管理", "预订管理", "扎账管理",
                               "后台维护[菜单维护,桌台维护,员工管理]", "报表统计[营业清单,营业额统计,营业菜单统计]"};
};
}  // namespace

TEST_F(MainFormTest, FirstPaintShowsAboutThenLoginThenBuildsTheTreeOnce) {
    TmainForm main;
    EXPECT_EQ(mainForm, &main);
    EXPECT_EQ(main.windowTitle(), "禾岚餐饮系统");
    {
        DialogScript script;
        scriptLogin(script, "admin", "admin");
        main.FormPaint();
        EXPECT_EQ(script.shown, QStringList({"TaboutForm", "TloginForm"}));
    }
    EXPECT_TRUE(main.loginDone);
    EXPECT_EQ(tree(main), fullTree);
    EXPECT_TRUE(main.optionItem->isEnabled());
    EXPECT_EQ(node(main, "后台维护")->data(0, Qt::UserRole).toInt(), 0);
    EXPECT_EQ(node(main, "营业菜单统计")->data(0, Qt::UserRole).toInt(), 10);
    EXPECT_EQ(node(main, "收银台")->data(0, Qt::UserRole).toInt(), 6);
    {
        DialogScript none;  // later paints show nothing
        main.FormPaint();
    }
}

TEST_F(MainFormTest, TreeHoldsOnlyGrantedFunctionsAndNeededGroups) {
    TmainForm main;
    main.buildFunctionTree(3);  // tollStation, prickManage, sellReport
    EXPECT_EQ(tree(main), QStringList({"收银台", "扎账管理", "报表统计[营业清单]"}));
    EXPECT_FALSE(main.optionItem->isEnabled());

    exec("insert into employee_right values (3,'tableManage'); insert into employee_right values (3,'option')");
    main.buildFunctionTree(3);
    EXPECT_EQ(tree(main), QStringList({"收银台", "扎账管理", "后台维护[桌台维护]", "报表统计[营业清单]"}));
    EXPECT_TRUE(main.optionItem->isEnabled());

    main.buildFunctionTree(0);
    EXPECT_TRUE(tree(main).isEmpty());
    EXPECT_FALSE(main.optionItem->isEnabled());

    // A failing rights query ends the building in the default error box.
    exec("drop table employee_right");
    EXPECT_FALSE(runGuarded([&] { main.buildFunctionTree(1); }));
    EXPECT_EQ(answers.seen.last().kind, MsgError);
}

TEST_F(MainFormTest, LoginCancelledAtStartEndsTheProgramAfterAnEmptyTree) {
    TmainForm main;
    DialogScript script;
    scriptLogin(script, "", "");
    main.FormPaint();
    EXPECT_EQ(quitRequests, 1);
    EXPECT_TRUE(tree(main).isEmpty());
    EXPECT_FALSE(main.optionItem->isEnabled());
}

TEST_F(MainFormTest, OneWindowPerFunctionAndItsSlotClearedOnClose) {
    registerDummyWindows({1});
    TmainForm main;
    logInAs("admin", "admin");
    main.buildFunctionTree(currentEmployeeId);

    doubleClick(main, "营业管理");
    doubleClick(main, "营业管理");
    EXPECT_EQ(DummyForm::created, 1);
    QPointer<TparentForm> first = subForms[1];
    ASSERT_TRUE(first);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(main.mdiArea()->activeSubWindow()->widget(), first.data());

    first->close();  // the window's own close
    EXPECT_FALSE(subForms[1]);
    flushDeletes();
    EXPECT_FALSE(first);
    EXPECT_EQ(DummyForm::destroyed, 1);
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());  // no empty frame left

    doubleClick(main, "营业管理");
    EXPECT_EQ(DummyForm::created, 2);
    QPointer<TparentForm> second = subForms[1];
    ASSERT_TRUE(second);
    second->parentWidget()->close();  // the frame's close box
    EXPECT_FALSE(subForms[1]);
    flushDeletes();
    EXPECT_FALSE(second);

    // A group node and a function whose window is not registered open nothing.
    doubleClick(main, "后台维护");
    doubleClick(main, "传菜管理");
    EXPECT_EQ(DummyForm::created, 2);
    EXPECT_FALSE(subForms[7]);
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
}

TEST_F(MainFormTest, SwitchUserClosesOnlyTheWindowsTheNewUserMayNotUse) {
    registerDummyWindows({1, 5, 6});
    TmainForm main;
    {
        DialogScript script;
        scriptLogin(script, "admin", "admin");
        main.FormPaint();
    }
    doubleClick(main, "营业管理");
    doubleClick(main, "员工管理");
    doubleClick(main, "收银台");
    QPointer<TparentForm> sell = subForms[1];

    {  // a cancelled switch keeps the user, the tree and the windows
        DialogScript script;
        scriptLogin(script, "", "");
        main.switchUserClick();
    }
    EXPECT_EQ(quitRequests, 0);
    EXPECT_EQ(currentUserName, "管理员");
    EXPECT_EQ(tree(main), fullTree);
    EXPECT_TRUE(subForms[1] && subForms[5] && subForms[6]);

    {  // zhangsan holds sell, celerityServing and reserveManage
        DialogScript script;
        scriptLogin(script, "zhangsan", "123");
        main.switchUserClick();
    }
    EXPECT_EQ(currentEmployeeId, 2);
    EXPECT_EQ(tree(main), QStringList({"营业管理", "传菜管理", "预订管理"}));
    EXPECT_EQ(DummyForm::closedIds, QList<int>({5, 6}));
    EXPECT_FALSE(subForms[5]);
    EXPECT_FALSE(subForms[6]);
    EXPECT_EQ(subForms[1], sell);
    flushDeletes();
    EXPECT_TRUE(sell);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
}

TEST_F(MainFormTest, ClosingTheMainWindowClosesSellThenCashier) {
    registerDummyWindows({1, 2, 6});
    TmainForm main;
    main.buildFunctionTree(1);
    main.openFunction(6);
    main.openFunction(2);
    main.openFunction(1);
    main.exitClick();
    EXPECT_EQ(DummyForm::closedIds, QList<int>({1, 6}));
    EXPECT_TRUE(subForms[2]);  // the rest go with the main window
}

TEST_F(MainFormTest, ClockShowsTimeAndUser) {
    TmainForm main;
    setNowForTest(encodeDateTime(2024, 3, 5, 14, 7, 9));
    main.refreshTimerTimer();
    EXPECT_EQ(main.statusText->text(), "当前时间：2024年03月05日 14点07分09秒");
    logInAs("lisi", "123");
    setNowForTest(encodeDateTime(2024, 12, 31, 23, 59, 59));
    main.refreshTimerTimer();
    EXPECT_EQ(main.statusText->text(), "当前时间：2024年12月31日 23点59分59秒  当前用户:李四");
}

TEST_F(MainFormTest, MenuCommandsLockOptionsWebPageAndConnectionCount) {
    TmainForm main;
    logInAs("admin", "admin");

    {
        DialogScript script;
        script.expect<TlockForm>([&](TlockForm* d) {
            type(d->password, "admin");
            click(d->confirmBtn);
        });
        main.lockClick();
    }

    main.optionClick();  // no options dialog in the program yet: nothing happens
    registerOptionsDialog([] { return new TexclusiveForm; });
    {
        DialogScript script;
        script.expect<TexclusiveForm>();
        main.optionClick();
    }

    main.webPageClick();
    {
        DialogScript script;
        script.expect<TaboutForm>([](TaboutForm* d) {
            QTest::mouseClick(d->secondWebLabel, Qt::LeftButton);
            click(d->okBtn);
        });
        main.aboutClick();
    }
    EXPECT_EQ(webPages, QStringList({TaboutForm::webAddress, TaboutForm::secondWebAddress}));

    {
        TDatabaseCtrl live;
        QTest::mouseClick(main.titlePanel, Qt::LeftButton);
        EXPECT_EQ(answers.last(), "1");
    }
    QTest::mouseClick(main.titlePanel, Qt::LeftButton);
    EXPECT_EQ(answers.last(), "0");
}
