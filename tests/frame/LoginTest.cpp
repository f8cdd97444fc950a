#include "frame/FrameFixture.h"

using LoginTest = FrameTest;

TEST_F(LoginTest, WrongPasswordKeepsTheDialogOpenRightOneSetsTheGlobals) {
    DialogScript script;
    script.expect<TloginForm>([&](TloginForm* d) {
        logIn(d, "zhangsan", "123X");
        logIn(d, "ADMIN", "Admin");  // letter case counts
        logIn(d, "nobody", "123");   // an unknown name gets the same message
        EXPECT_EQ(answers.texts(), QStringList(3, "用户名或密码有误！"));
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(currentEmployeeId, 0);
        logIn(d, "zhangsan", "123");
    });
    TloginForm login;
    EXPECT_EQ(login.showExclusive(), QDialog::Accepted);
    EXPECT_EQ(currentEmployeeId, 2);
    EXPECT_EQ(currentUserName, "张三");
    EXPECT_EQ(currentPassword, "123");
    EXPECT_EQ(quitRequests, 0);
    EXPECT_EQ(answers.count(), 3);
}

TEST_F(LoginTest, CancelCloseBoxOrEscapeWithNobodyLoggedInEndsTheProgram) {
    DialogScript script;
    script.expect<TloginForm>([&](TloginForm* d) { click(d->cancelBtn); });
    script.expect<TloginForm>([&](TloginForm* d) { d->close(); });
    script.expect<TloginForm>([&](TloginForm* d) { QTest::keyClick(d, Qt::Key_Escape); });
    for (int i = 1; i <= 3; ++i) {
        TloginForm login;
        EXPECT_EQ(login.showExclusive(), QDialog::Rejected);
        EXPECT_EQ(quitRequests, i);
    }
    EXPECT_EQ(currentEmployeeId, 0);
}

TEST_F(LoginTest, DatabaseFailureInTheLookupShowsItsMessageThenTheRefusal) {
    exec("drop table employee");
    logInAs("admin", "admin");
    EXPECT_EQ(answers.texts(), QStringList({"通过LoginName查询工员出现异常！", "用户名或密码有误！"}));
    EXPECT_EQ(currentEmployeeId, 0);
}
