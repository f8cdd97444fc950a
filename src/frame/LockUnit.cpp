#include "frame/LockUnit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/GlobalsUnit.h"
#include "frame/PasswordEditUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

TlockForm::TlockForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("锁定"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    password = newPasswordEdit(this);
    confirmBtn = new QPushButton(QStringLiteral("确定"), this);
    // Enter in the edit confirms through returnPressed; a default button would fire twice.
    confirmBtn->setAutoDefault(false);
    layout->addWidget(password, 1);
    layout->addWidget(confirmBtn);
    connect(confirmBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmBtnClick(); }); });
    connect(password, &QLineEdit::returnPressed, this, [this] { runGuarded([this] { confirmBtnClick(); }); });
    setFixedSize(280, 80);
}

void TlockForm::confirmBtnClick() {
    if (password->text() == currentPassword) {
        unlocked = true;
        accept();
        return;
    }
    showMessage(QStringLiteral("密码有误！"));
}

void TlockForm::done(int result) {
    if (unlocked) TexclusiveForm::done(result);
}
