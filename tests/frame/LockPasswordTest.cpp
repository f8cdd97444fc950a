#include "frame/ChangePasswordUnit.h"
#include "frame/FrameFixture.h"
#include "frame/LockUnit.h"

namespace {
class LockPasswordTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        logInAs("zhangsan", "123");
    }
    // Fills the password window and confirms; true when the window closed.
    bool changePassword(const QString& oldPw, const QString& newPw, const QString& repeat) {
        QPointer<TchangePasswordForm> form = new TchangePasswordForm;
        form->show();
        type(form->oldPasswrod, oldPw);
        type(form->newPassword, newPw);
        type(form->validatePassword, repeat);
        click(form->confirmBtn);
        flushDeletes();
        return !form;
    }
};
}  // namespace

TEST_F(LockPasswordTest, LockRefusesEveryWayOutButTheRightPassword) {
    DialogScript script;
    script.expect<TlockForm>([&](TlockForm* d) {
        d->close();
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        type(d->password, "1234");
        click(d->confirmBtn);
        EXPECT_EQ(answers.last(), "密码有误！");
        EXPECT_TRUE(d->isVisible());
        type(d->password, "123");
        QTest::keyClick(d->password, Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
    });
    TlockForm lock;
    EXPECT_EQ(lock.showExclusive(), QDialog::Accepted);
    EXPECT_EQ(answers.count(), 1);  // Enter confirmed once, not twice
}

TEST_F(LockPasswordTest, PasswordChangeChecksOldThenRepeatThenSaves) {
    // The old password is checked first, even when the repeat differs too.
    EXPECT_FALSE(changePassword("12", "new", "other"));
    EXPECT_EQ(answers.last(), "旧密码有误！");
    EXPECT_FALSE(changePassword("123", "new", "other"));
    EXPECT_EQ(answers.last(), "输入的两次的密码不一致！");
    EXPECT_EQ(scalar("select password from employee where id=2"), "123");

    EXPECT_TRUE(changePassword("123", "Secret", "Secret"));
    EXPECT_EQ(answers.last(), "修改密码成功！");
    EXPECT_EQ(scalar("select password from employee where id=2"), "Secret");
    EXPECT_EQ(currentPassword, "Secret");
    // The employee's rights survive the rewrite of the row.
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=2"), 3);
}

TEST_F(LockPasswordTest, PasswordChangeFailuresSaveNothing) {
    failOn("update", "employee");
    EXPECT_FALSE(changePassword("123", "x", "x"));
    EXPECT_EQ(answers.last(), "修改员工出现异常！");
    EXPECT_EQ(scalar("select password from employee where id=2"), "123");
    EXPECT_EQ(currentPassword, "123");

    // The row went away while the user was logged in: nothing to save into, nothing
    // brought back.
    exec("delete from employee where id=2");
    answers.clear();
    EXPECT_FALSE(changePassword("123", "x", "x"));
    EXPECT_EQ(answers.texts(), QStringList("修改密码失败！"));
    EXPECT_EQ(scalarInt("select count(*) from employee where id=2"), 0);
    EXPECT_EQ(currentPassword, "123");
}

TEST_F(LockPasswordTest, FixedSizeDialogsOfferNoMaximiseButton) {
    logInAs("admin", "admin");
    TlockForm lock;
    lock.show();
    auto* password = new TchangePasswordForm;
    password->show();
    // Only the buttons hinted are offered: title and close box.
    for (QWidget* dialog : {static_cast<QWidget*>(&lock), static_cast<QWidget*>(password)}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    }
    password->close();
}
