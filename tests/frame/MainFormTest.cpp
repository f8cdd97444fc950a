#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTreeWidget>

#include "frame/ChangePasswordUnit.h"
#include "frame/FrameFixture.h"
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
        // Boxes after the quit request, which nobody could answer now, say Cancel or No.
        answers.uninstall();
        EXPECT_EQ(showMessage("保存吗？", "", MsgYesNoCancel, MsgQuestion), AnsCancel);
        EXPECT_EQ(showMessage("删除吗？", "", MsgYesNo, MsgQuestion), AnsNo);
        answers.install();
    }
    TmainForm main;
    aboutThenLogin("admin", "admin", [&] { main.FormPaint(); });
    EXPECT_EQ(tree(main), fullTree);
    DialogScript none;  // later paints show nothing
    main.FormPaint();
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
        // The window's own close first, then the frame's close box.
        round == 1 ? form->close() : form->parentWidget()->close();
        EXPECT_FALSE(subForms[1]);
        flushDeletes();
        EXPECT_FALSE(form);
        EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());  // no empty frame left
    }
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

TEST_F(MainFormTest, FunctionWindowsOpenAtTheSizeTheirLayoutAsksFor) {
    registerFunctionWindow(3, [] { return new LaidOutForm; });
    registerFunctionWindow(4, [] { return new FailingForm; });
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

    // A window whose construction fails leaves no empty frame behind.
    EXPECT_FALSE(runGuarded([&] { main.openFunction(4); }));
    EXPECT_EQ(answers.last(), "窗口无法打开");
    flushDeletes();
    EXPECT_FALSE(subForms[4]);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
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

    // zhangsan (sell, celerityServing, reserveManage) may not use the cashier: while it
    // refuses, the administrator stays logged in.
    for (int id : {1, 5}) main.openFunction(id);
    QPointer<TparentForm> sell = subForms[1];
    DummyForm::closedIds.clear();
    aboutThenLogin("zhangsan", "123", [&] { main.switchUserClick(); });
    EXPECT_EQ(DummyForm::closedIds, QList<int>({6, 5}));
    EXPECT_EQ(currentEmployeeId, 1);
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

    // openFunction checks the right itself, for windows that open other windows.
    exec("alter table lost_right rename to employee_right");
    DummyForm::created = 0;
    EXPECT_EQ(main.openFunction(5), nullptr);
    EXPECT_TRUE(main.openFunction(1));
    EXPECT_EQ(DummyForm::created, 1);
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
