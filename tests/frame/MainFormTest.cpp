#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>

#include "data/DatabaseCtrlUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ClickLabelUnit.h"
#include "frame/FrameFixture.h"
#include "frame/LockUnit.h"
#include "platform/DateTime.h"
#include "platform/Errors.h"

namespace {
class MainFormTest : public FrameTest {
protected:
    // The tree as text: top-level nodes, children in brackets.
    static QStringList tree(const TmainForm& main) {
        QStringList out;
        for (int i = 0; i < main.functionTree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = main.functionTree->topLevelItem(i);
            QStringList children;
            for (int c = 0; c < node->childCount(); ++c) children << node->child(c)->text(0);
            out << node->text(0) + (children.isEmpty() ? "" : "[" + children.join(",") + "]");
        }
        return out;
    }
    static void doubleClick(TmainForm& main, const QString& text) {
        auto found = main.functionTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        main.functionTree->setCurrentItem(found.first());
        emit main.functionTree->itemDoubleClicked(found.first(), 0);
    }
    // The about box then the login dialog, as the first paint and a user switch show
    // them; an empty user cancels the login.
    static void aboutThenLogin(const QString& user, const QString& password, const std::function<void()>& action) {
        DialogScript script;
        script.expect<TaboutForm>([](TaboutForm* d) { click(d->okBtn); });
        script.expect<TloginForm>([=](TloginForm* d) { user.isEmpty() ? click(d->cancelBtn) : logIn(d, user, password); });
        action();
    }
    const QStringList fullTree{"收银台",   "营业管理", "传菜管理", "预订管理", "扎账管理",
                               "后台维护[菜单维护,桌台维护,员工管理]", "报表统计[营业清单,营业额统计,营业菜单统计]"};
};
}  // namespace

TEST_F(MainFormTest, FirstPaintShowsAboutThenLoginThenBuildsTheTreeOnce) {
    {
        TmainForm cancelled;  // login cancelled at start: the program ends, nothing granted
        aboutThenLogin("", "", [&] { cancelled.FormPaint(); });
        EXPECT_EQ(quitRequests, 1);
        EXPECT_TRUE(tree(cancelled).isEmpty());
        EXPECT_FALSE(cancelled.optionItem->isEnabled());
    }
    TmainForm main;
    EXPECT_EQ(appPath, QCoreApplication::applicationDirPath() + "/");  // config.ini is looked for there
    aboutThenLogin("admin", "admin", [&] { main.FormPaint(); });
    EXPECT_EQ(tree(main), fullTree);
    EXPECT_TRUE(main.optionItem->isEnabled());
    DialogScript none;  // later paints show nothing
    main.FormPaint();
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

    exec("drop table employee_right");  // a failing rights query ends in the default error box
    EXPECT_FALSE(runGuarded([&] { main.buildFunctionTree(1); }));
    EXPECT_EQ(answers.seen.last().kind, MsgError);
}

TEST_F(MainFormTest, OneWindowPerFunctionAndItsSlotClearedOnClose) {
    DummyForm::registerFor({1});
    TmainForm main;
    main.buildFunctionTree(1);
    for (int round = 1; round <= 2; ++round) {
        doubleClick(main, "营业管理");
        doubleClick(main, "营业管理");
        EXPECT_EQ(DummyForm::created, round);
        QPointer<TparentForm> form = subForms[1];
        ASSERT_TRUE(form);
        EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
        EXPECT_EQ(main.mdiArea()->activeSubWindow()->widget(), form.data());
        // The window's own close first, then the frame's close box.
        round == 1 ? form->close() : form->parentWidget()->close();
        EXPECT_FALSE(subForms[1]);
        flushDeletes();
        EXPECT_FALSE(form);
        EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());  // no empty frame left
    }
    // A group node and a function whose window is not registered open nothing.
    doubleClick(main, "后台维护");
    doubleClick(main, "传菜管理");
    EXPECT_EQ(DummyForm::created, 2);
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
}

TEST_F(MainFormTest, SwitchUserClosesOnlyTheWindowsTheNewUserMayNotUse) {
    DummyForm::registerFor({1, 5, 6});
    TmainForm main;
    aboutThenLogin("admin", "admin", [&] { main.FormPaint(); });
    for (const char* name : {"营业管理", "员工管理", "收银台"}) doubleClick(main, name);
    QPointer<TparentForm> sell = subForms[1];

    // A cancelled switch keeps the user, the tree and the windows.
    aboutThenLogin("", "", [&] { main.switchUserClick(); });
    EXPECT_EQ(quitRequests, 0);
    EXPECT_EQ(currentUserName, "管理员");
    EXPECT_EQ(tree(main), fullTree);
    EXPECT_TRUE(subForms[1] && subForms[5] && subForms[6]);

    // zhangsan holds sell, celerityServing and reserveManage.
    aboutThenLogin("zhangsan", "123", [&] { main.switchUserClick(); });
    EXPECT_EQ(currentEmployeeId, 2);
    EXPECT_EQ(tree(main), QStringList({"营业管理", "传菜管理", "预订管理"}));
    EXPECT_EQ(DummyForm::closedIds, QList<int>({5, 6}));
    EXPECT_FALSE(subForms[5] || subForms[6]);
    flushDeletes();
    EXPECT_TRUE(sell && subForms[1] == sell);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
}

TEST_F(MainFormTest, ClosingTheMainWindowClosesSellThenCashier) {
    DummyForm::registerFor({1, 2, 6});
    TmainForm main;
    main.buildFunctionTree(1);
    for (int id : {6, 2, 1}) main.openFunction(id);
    main.exitClick();
    EXPECT_EQ(DummyForm::closedIds, QList<int>({1, 6}));
    EXPECT_TRUE(subForms[2]);  // the rest go with the main window
}

TEST_F(MainFormTest, ClockShowsTimeAndUser) {
    TmainForm main;
    logInAs("lisi", "123");
    setNowForTest(encodeDateTime(2024, 3, 5, 14, 7, 9));
    main.refreshTimerTimer();
    EXPECT_EQ(main.statusText->text(), "当前时间：2024年03月05日 14点07分09秒  当前用户:李四");
}

TEST_F(MainFormTest, MenuCommandsLockOptionsWebPageAndConnectionCount) {
    TmainForm main;
    logInAs("admin", "admin");
    {
        DialogScript script;
        script.expect<TlockForm>();
        main.lockClick();
        main.optionClick();  // no options dialog in the program yet: nothing happens
        script.expect<TaboutForm>([](TaboutForm* d) {
            QTest::mouseClick(d->secondWebLabel, Qt::LeftButton);
            click(d->okBtn);
        });
        main.webPageClick();
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
