#include "frame/ChangePasswordUnit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/EmployeeMgrUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/PasswordEditUnit.h"
#include "platform/AppControl.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

TchangePasswordForm::TchangePasswordForm(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("修改密码"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 20, 24, 16);
    grid->setVerticalSpacing(10);
    oldPasswrod = newPasswordEdit(this);
    newPassword = newPasswordEdit(this);
    validatePassword = newPasswordEdit(this);
    grid->addWidget(new QLabel(QStringLiteral("旧密码："), this), 0, 0);
    grid->addWidget(oldPasswrod, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("新密码："), this), 1, 0);
    grid->addWidget(newPassword, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("验证新密码："), this), 2, 0);
    grid->addWidget(validatePassword, 2, 1);
    confirmBtn = new QPushButton(QStringLiteral("确定"), this);
    cancelBtn = new QPushButton(QStringLiteral("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmBtn);
    buttons->addWidget(cancelBtn);
    grid->addLayout(buttons, 3, 0, 1, 2);
    connect(confirmBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmBtnClick(); }); });
    connect(cancelBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { cancelBtnClick(); }); });
    setFixedSize(320, 180);
    dropMaximizeButton(this);
}

void TchangePasswordForm::confirmBtnClick() {
    // The form acts only for the user who opened it.
    if (currentEmployeeId != employeeId) {
        close();
        return;
    }
    // The old password is checked first, whatever the new ones hold.
    if (oldPasswrod->text() != currentPassword) {
        showMessage(QStringLiteral("旧密码有误！"));
        return;
    }
    if (newPassword->text() != validatePassword->text()) {
        showMessage(QStringLiteral("输入的两次的密码不一致！"));
        return;
    }
    TEmployeeMgr employeeMgr;
    std::optional<TPOEmployee> employee = employeeMgr.getEmployeeById(currentEmployeeId);
    if (!employee) {
        // The row is gone (or could not be read): there is nothing to save into.
        showMessage(QStringLiteral("修改密码失败！"));
        return;
    }
    employee->setPassword(newPassword->text());
    if (!employeeMgr.update(*employee)) return;  // the manager has said why
    currentPassword = newPassword->text();
    showMessage(QStringLiteral("修改密码成功！"));
    close();
}

void TchangePasswordForm::cancelBtnClick() { close(); }
