#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTreeWidget>

#include "data/DatabaseCtrlUnit.h"
#include "frame/ChangePasswordUnit.h"
#include "frame/ClickLabelUnit.h"
#include "frame/FrameFixture.h"
#include "frame/LockUnit.h"
#include "platform/DateTime.h"
#include "platform/Errors.h"

namespace {
class MainFormTest : public FrameTest {
protected:
    static void doubleClick(TmainForm& main, const QString& text) {
        auto found = main.functionTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        main.functionTree->setCurrentItem(found.first());
        emit main.functionTree->itemDoubleClicked(found.first(), 0);
    }
    const QStringList fullTree{"收银台",   "营业管理", "传菜管理", "预订管理", "扎账管理",
                               "后台维护[菜单维护,桌台维护,员工管理]", "报表统计[营业清单,营业额统计,营业菜单统计]"};
};

// A function window with the kinds of edit the edit menu works on.
class EditsForm : public TparentForm {
public:
    EditsForm() {
        auto* grid = new QGridLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{name, fixed, password, remark}) grid->addWidget(w);
        fixed->setReadOnly(true);
        password->setEchoMode(QLineEdit::Password);
    }
    QLineEdit* name = new QLineEdit;
    QLineEdit* fixed = new QLineEdit("只读");
    QLineEdit* password = new QLineEdit;
    QPlainTextEdit* remark = new QPlainTextEdit;
};

// A function window with a layout whose list asks for room.
class LaidOutForm : public TparentForm {
public:
    LaidOutForm() {
        auto* list = new QListWidget;
        list->setMinimumSize(520, 360);
        (new QGridLayout(this))->addWidget(list, 0, 0);
    }
};

// Counts how often it was brought to the front.
class FrontCountingForm : public TparentForm {
public:
    FrontCountingForm() { whenBroughtToFront([this] { ++broughtToFront; }); }
    int broughtToFront = 0;
};

class FailingForm : public TparentForm {
public:
    FailingForm() {
        new QLabel("x", this);
        throw SystemError("窗口无法打开");
    }
};
}  // namespace

TEST_F(MainFormTest, FirstPaintShowsAboutThenLoginThenBuildsTheTreeOnce) {
    {
        TmainForm cancelled;  // login cancelled at start: the program ends, nothing granted
        showLoggedIn(cancelled, "", "");
        EXPECT_EQ(quitRequests, 1);
        EXPECT_TRUE(tree(cancelled).isEmpty());
        EXPECT_FALSE(cancelled.optionItem->isEnabled());
        // Boxes after the quit request, which nobody could answer now, say Cancel or No.
        answers.uninstall();
        EXPECT_EQ(showMessage("保存吗？", "", MsgYesNoCancel, MsgQuestion), AnsCancel);
        EXPECT_EQ(showMessage("删除吗？", "", MsgYesNo, MsgQuestion), AnsNo);
        EXPECT_EQ(showMessage("继续吗？", "", MsgOkCancel), AnsCancel);
        EXPECT_EQ(showMessage("完成"), AnsOk);
        answers.install();
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
}

TEST_F(MainFormTest, OneWindowPerFunctionAndItsSlotClearedOnClose) {
    DummyForm::registerFor({1});
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
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

TEST_F(MainFormTest, StartsMaximisedAndTakenOutOfItKeepsItsTitleBarOnTheScreen) {
    TmainForm main;
    aboutThenLogin("admin", "admin", [&] {
        main.showAtStart();
        EXPECT_TRUE(QTest::qWaitFor([&] { return main.loginDone; }));
    });
    EXPECT_TRUE(main.isMaximized());
    const QRect screen = main.screen()->availableGeometry();
    // Room left for a desktop's frame: 8 pixels at the sides and below, 32 for the title bar.
    const QRect normal = main.normalGeometry();
    EXPECT_TRUE(screen.contains(normal.adjusted(-8, -32, 8, 8))) << normal.x() << "," << normal.y() << " "
                                                                 << normal.width() << "x" << normal.height();
    EXPECT_GE(normal.width() * 10, screen.width() * 9);  // still most of the screen
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

TEST_F(MainFormTest, EditMenuWorksOnTheFocusedEditAndOffersOnlyWhatApplies) {
    registerFunctionWindow(3, [] { return new EditsForm; });
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    auto* form = static_cast<EditsForm*>(main.openFunction(3));
    QMenu* edit = nullptr;
    for (QAction* a : main.menuBar()->actions())
        if (a->text() == "编辑(&E)") edit = a->menu();
    ASSERT_TRUE(edit);
    // The entries the menu offers as it opens over the focused widget.
    const auto offered = [&](QWidget* focused) {
        focused->setFocus();
        emit edit->aboutToShow();
        QStringList shown;
        for (QAction* a : edit->actions())
            if (!a->isSeparator() && a->isEnabled()) shown << a->text();
        return shown;
    };
    // The menu opened and the entry chosen, when it is offered.
    const auto run = [&](const QString& entry) {
        emit edit->aboutToShow();
        for (QAction* a : edit->actions())
            if (a->text() == entry) a->trigger();
    };
    QApplication::clipboard()->clear();
    EXPECT_EQ(offered(form->name), QStringList());

    QTest::keyClicks(form->name, "wuyi");
    EXPECT_EQ(offered(form->name), QStringList({"撤消", "全选"}));
    run("全选");
    EXPECT_EQ(offered(form->name), QStringList({"撤消", "剪切", "拷贝", "删除", "全选"}));
    run("剪切");
    EXPECT_EQ(form->name->text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "wuyi");
    run("粘贴");
    run("粘贴");
    EXPECT_EQ(form->name->text(), "wuyiwuyi");
    run("撤消");
    EXPECT_EQ(form->name->text(), "wuyi");
    form->name->setSelection(0, 2);
    run("删除");
    EXPECT_EQ(form->name->text(), "yi");

    // A read-only edit may be copied from, never changed; a password is never copied out.
    EXPECT_EQ(offered(form->fixed), QStringList({"全选"}));
    run("全选");
    run("拷贝");
    EXPECT_EQ(QApplication::clipboard()->text(), "只读");
    run("粘贴");
    EXPECT_EQ(form->fixed->text(), "只读");
    QTest::keyClicks(form->password, "secret");
    form->password->selectAll();
    EXPECT_EQ(offered(form->password), QStringList({"撤消", "粘贴", "删除", "全选"}));
    run("拷贝");
    EXPECT_EQ(QApplication::clipboard()->text(), "只读");

    QTest::keyClicks(form->remark, "vip");
    EXPECT_EQ(offered(form->remark), QStringList({"撤消", "粘贴", "全选"}));
    run("全选");
    run("删除");
    EXPECT_EQ(form->remark->toPlainText(), "");
    run("粘贴");
    run("全选");
    run("剪切");
    EXPECT_EQ(form->remark->toPlainText(), "");
    run("撤消");
    EXPECT_EQ(form->remark->toPlainText(), "只读");
    form->remark->setReadOnly(true);
    EXPECT_EQ(offered(form->remark), QStringList({"全选"}));
}

TEST_F(MainFormTest, FunctionWindowsOpenAtTheSizeTheirLayoutAsksFor) {
    registerFunctionWindow(3, [] { return new LaidOutForm; });
    registerFunctionWindow(4, [] { return new FailingForm; });
    DummyForm::registerFor({1});
    {
        LaidOutForm alone;  // without a main window, as in tests of one window: the same sizes
        alone.show();
        EXPECT_EQ(alone.size(), alone.sizeHint());
        DummyForm bare(1);
        new QLabel("101", &bare);
        bare.show();
        EXPECT_EQ(bare.size(), QSize(696, 480));
    }
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    TparentForm* form = main.openFunction(3);
    ASSERT_TRUE(form);
    QMdiSubWindow* frame = main.mdiArea()->activeSubWindow();
    const QSize wanted = form->sizeHint();
    EXPECT_GE(wanted.width(), 520);
    EXPECT_EQ(form->size(), wanted);
    if (qEnvironmentVariableIsSet("HELAN_SHOTS"))  // a picture for a person to look at
        main.grab().save(qEnvironmentVariable("HELAN_SHOTS") + "/frame-laid-out-window.png");

    frame->showMaximized();
    frame->showNormal();
    EXPECT_EQ(form->size(), wanted);
    frame->showMinimized();
    EXPECT_EQ(main.openFunction(3), form);  // again from the tree: restored
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_EQ(form->size(), wanted);

    EXPECT_EQ(main.openFunction(1)->size(), QSize(696, 480));  // no layout, no size of its own

    // A window whose construction fails leaves no empty frame behind.
    EXPECT_FALSE(runGuarded([&] { main.openFunction(4); }));
    EXPECT_EQ(answers.last(), "窗口无法打开");
    flushDeletes();
    EXPECT_FALSE(subForms[4]);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 2);
}

TEST_F(MainFormTest, ExitAndSwitchFollowTheWindowsAnswers) {
    DummyForm::registerFor({1, 5, 6, 8});
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    for (int id : {8, 6, 5, 1}) main.openFunction(id);
    DummyForm::refusing = {6};  // an unsaved bill in the cashier window
    main.exitClick();
    EXPECT_EQ(DummyForm::closedIds, QList<int>({1, 6, 5, 8}));  // every window is asked, sell and cashier first
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(subForms[6]);

    // A cancelled switch keeps the user, the tree and the windows.
    aboutThenLogin("", "", [&] { main.switchUserClick(); });
    EXPECT_EQ(quitRequests, 0);
    EXPECT_EQ(currentUserName, "管理员");
    EXPECT_EQ(tree(main), fullTree);
    EXPECT_TRUE(subForms[6]);

    // zhangsan (sell, celerityServing, reserveManage) may not use the cashier: while it
    // refuses, the administrator stays logged in.
    for (int id : {1, 5}) main.openFunction(id);
    QPointer<TparentForm> sell = subForms[1];
    DummyForm::closedIds.clear();
    aboutThenLogin("zhangsan", "123", [&] { main.switchUserClick(); });
    EXPECT_EQ(DummyForm::closedIds, QList<int>({6, 5}));
    EXPECT_EQ(currentEmployeeId, 1);
    EXPECT_EQ(tree(main), fullTree);
    EXPECT_TRUE(subForms[6]);

    DummyForm::refusing.clear();
    aboutThenLogin("zhangsan", "123", [&] { main.switchUserClick(); });
    EXPECT_EQ(currentEmployeeId, 2);
    EXPECT_EQ(tree(main), QStringList({"营业管理", "传菜管理", "预订管理"}));
    EXPECT_FALSE(subForms[5] || subForms[6]);
    flushDeletes();
    EXPECT_TRUE(sell && subForms[1] == sell);  // a window the new user may use stays
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
    main.exitClick();
    EXPECT_FALSE(main.isVisible());
}

TEST_F(MainFormTest, RightsFailClosed) {
    DummyForm::registerFor({1, 5});
    TmainForm main;
    EXPECT_FALSE(main.optionItem->isEnabled());  // nobody logged in yet
    showLoggedIn(main, "admin", "admin");
    EXPECT_TRUE(main.optionItem->isEnabled());
    main.openFunction(1);
    main.openFunction(5);
    {
        // zhangsan logs in, then his rights cannot be read.
        DialogScript script;
        script.expect<TaboutForm>([](TaboutForm* d) { click(d->okBtn); });
        script.expect<TloginForm>([&](TloginForm* d) {
            logIn(d, "zhangsan", "123");
            exec("alter table employee_right rename to lost_right");
        });
        EXPECT_FALSE(runGuarded([&] { main.switchUserClick(); }));
    }
    EXPECT_EQ(answers.seen.last().kind, MsgError);
    EXPECT_FALSE(main.optionItem->isEnabled());
    EXPECT_TRUE(tree(main).isEmpty());
    EXPECT_FALSE(subForms[1] || subForms[5]);
    EXPECT_FALSE(runGuarded([&] { main.openFunction(1); }));
    EXPECT_FALSE(subForms[1]);

    // openFunction checks the right itself, for windows that open other windows.
    exec("alter table lost_right rename to employee_right");
    DummyForm::created = 0;
    EXPECT_EQ(main.openFunction(5), nullptr);
    EXPECT_TRUE(main.openFunction(1));
    EXPECT_EQ(DummyForm::created, 1);
    main.optionClick();  // disabled: opens nothing, even called directly
}

TEST_F(MainFormTest, APasswordFormLeftOpenAcrossASwitchChangesNothing) {
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    QPointer<TchangePasswordForm> form = main.changePasswordClick();
    QPointer<TchangePasswordForm> loose = new TchangePasswordForm;  // one the main window does not own
    loose->show();
    for (TchangePasswordForm* f : {form.data(), loose.data()}) {
        type(f->oldPasswrod, "admin");
        type(f->newPassword, "x");
        type(f->validatePassword, "x");
    }
    aboutThenLogin("zhangsan", "123", [&] { main.switchUserClick(); });
    flushDeletes();
    EXPECT_FALSE(form);
    type(loose->oldPasswrod, "123");  // zhangsan finishes the administrator's form
    click(loose->confirmBtn);
    flushDeletes();
    EXPECT_FALSE(loose);
    EXPECT_EQ(rows("select id, password from employee where id in (1, 2) order by id"), QStringList({"1|admin", "2|123"}));
    EXPECT_EQ(currentPassword, "123");
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(MainFormTest, TheWindowInFrontIsToldWhenTheProgramComesBackOnceNoDialogIsUp) {
    for (int id : {1, 2}) registerFunctionWindow(id, [] { return new FrontCountingForm; });
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    auto* first = static_cast<FrontCountingForm*>(main.openFunction(1));
    auto* second = static_cast<FrontCountingForm*>(main.openFunction(2));
    auto counts = [&] { return QList<int>{first->broughtToFront, second->broughtToFront}; };

    anotherProgramInFront();
    programBackInFront();
    EXPECT_EQ(counts(), (QList<int>{0, 1}));  // only the window in front
    main.openFunction(1);
    EXPECT_EQ(counts(), (QList<int>{1, 1}));

    // Back while a dialog of the program is up: the window waits until the dialog
    // is gone and the main window has the focus again, then is told once.
    anotherProgramInFront();
    {
        DialogScript script;
        script.expect<TaboutForm>([&](TaboutForm* d) {
            programBackInFront();
            EXPECT_EQ(counts(), (QList<int>{1, 1}));
            click(d->okBtn);
        });
        TaboutForm().showExclusive();
    }
    EXPECT_EQ(counts(), (QList<int>{1, 1}));
    main.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(counts(), (QList<int>{2, 1}));
    programBackInFront();  // told once only
    EXPECT_EQ(counts(), (QList<int>{2, 1}));
}
