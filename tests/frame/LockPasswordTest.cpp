#include <QTest>

#include "frame/ChangePasswordUnit.h"
#include "frame/FrameFixture.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"

namespace {
class LockPasswordTest : public FrameTest {
protected:
    // Shows the lock dialog; `tries` are typed one after another, each ended by Enter.
    // True when the dialog let the user back in.
    bool unlockWith(const QStringList& tries) {
        bool unlocked = false;
        DialogScript script;
        script.expect<TlockForm>([&](TlockForm* d) {
            for (const QString& t : tries) {
                type(d->password, t);
                QTest::keyClick(d->password, Qt::Key_Return);
            }
            unlocked = d->unlocked && !d->isVisible();
        });
        TlockForm lock;
        lock.showExclusive();
        return unlocked;
    }
    // Opens the password window, fills it and confirms; true when the window closed.
    bool changePassword(const QString& oldPw, const QString& newPw, const QString& repeat) {
        auto* form = new TchangePasswordForm;
        QPointer<TchangePasswordForm> alive(form);
        form->show();
        type(form->oldPasswrod, oldPw);
        type(form->newPassword, newPw);
        type(form->validatePassword, repeat);
        click(form->confirmBtn);
        flushDeletes();
        if (!alive) return true;
        form->close();
        flushDeletes();
        return false;
    }
};
}  // namespace

TEST_F(LockPasswordTest, LockRefusesEveryWayOutButTheRightPassword) {
    logInAs("zhangsan", "123");
    DialogScript script;
    script.expect<TlockForm>([&](TlockForm* d) {
        d->close();
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        type(d->password, "1234");
        click(d->confirmBtn);
        EXPECT_EQ(answers.last(), "密码有误！");
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(d->unlocked);
        type(d->password, "123");
        QTest::keyClick(d->password, Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
    });
    TlockForm lock;
    EXPECT_EQ(lock.showExclusive(), QDialog::Accepted);
    EXPECT_EQ(answers.count(), 1);  // Enter confirmed once, not twice
}

TEST_F(LockPasswordTest, PasswordChangeChecksOldThenRepeatThenSaves) {
    logInAs("zhangsan", "123");
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

    EXPECT_FALSE(unlockWith({"123"}));
    EXPECT_TRUE(unlockWith({"123", "secret", "Secret"}));
}

TEST_F(LockPasswordTest, PasswordChangeFailuresSaveNothing) {
    logInAs("zhangsan", "123");
    failOn("update", "employee");
    EXPECT_FALSE(changePassword("123", "x", "x"));
    EXPECT_EQ(answers.last(), "修改员工出现异常！");
    EXPECT_EQ(currentPassword, "123");

    // The row went away while the user was logged in: nothing to save into.
    exec("delete from employee where id=2");
    answers.clear();
    EXPECT_FALSE(changePassword("123", "x", "x"));
    EXPECT_EQ(answers.texts(), QStringList("修改密码失败！"));
    EXPECT_EQ(currentPassword, "123");
    EXPECT_EQ(scalarInt("select count(*) from employee where id=2"), 0);

    // Cancel closes without saving.
    auto* form = new TchangePasswordForm;
    QPointer<TchangePasswordForm> alive(form);
    form->show();
    click(form->cancelBtn);
    flushDeletes();
    EXPECT_FALSE(alive);
}
