#include "frame/LoginUnit.h"

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

TloginForm::TloginForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("登录"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 20, 24, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    userName = new QLineEdit(QStringLiteral("admin"), this);
    password = newPasswordEdit(this);
    grid->addWidget(new QLabel(QStringLiteral("用户名："), this), 0, 0);
    grid->addWidget(userName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("密码："), this), 1, 0);
    grid->addWidget(password, 1, 1);
    loginBtn = new QPushButton(QStringLiteral("登录"), this);
    cancelBtn = new QPushButton(QStringLiteral("取消"), this);
    loginBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(loginBtn);
    buttons->addWidget(cancelBtn);
    grid->addLayout(buttons, 2, 0, 1, 2);
    connect(loginBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { loginBtnClick(); }); });
    connect(cancelBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { cancelBtnClick(); }); });
    setFixedSize(300, 150);
    password->setFocus();
}

void TloginForm::loginBtnClick() {
    TEmployeeMgr employeeMgr;
    // Login names compare as the database does; passwords exactly, case included.
    std::optional<TPOEmployee> employee = employeeMgr.getEmployeeByLoginName(userName->text());
    if (employee && employee->getPassword() == password->text()) {
        currentEmployeeId = employee->getId();
        currentUserName = employee->getUserName();
        currentPassword = employee->getPassword();
        accept();
        return;
    }
    showMessage(QStringLiteral("用户名或密码有误！"));
}

void TloginForm::cancelBtnClick() { reject(); }

void TloginForm::done(int result) {
    TexclusiveForm::done(result);
    if (currentEmployeeId == 0) terminateApplication();
}
