#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/AppControl.h"
#include "platform/Messages.h"

namespace {
// Answers the next real box as a person would: a button, or its close box
// (NoButton); keeps what the box showed.
struct BoxAnswer {
    QString shown;
    void next(QMessageBox::StandardButton press) {
        shown.clear();
        QTimer::singleShot(0, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = QString("%1|%2|%3").arg(box->windowTitle(), box->text()).arg(int(box->icon()));
            if (press == QMessageBox::NoButton)
                box->close();
            else if (QAbstractButton* button = box->button(press))
                button->click();
            else
                box->buttons().first()->click();
        });
    }
};
}  // namespace

TEST(MessageBoxes, TheRealBoxGivesTheButtonPressedAndItsCloseBoxNeverMeansYes) {
    setMessageHandler(nullptr);
    BoxAnswer answer;
    answer.next(QMessageBox::Ok);
    EXPECT_EQ(showMessage("存在还没有传的菜单！"), AnsOk);
    EXPECT_EQ(answer.shown, QString("提示|存在还没有传的菜单！|%1").arg(int(QMessageBox::Information)));
    answer.next(QMessageBox::Ok);
    showErrorBox("找不到数据库文件");
    EXPECT_EQ(answer.shown, QString("错误|找不到数据库文件|%1").arg(int(QMessageBox::Critical)));
    answer.next(QMessageBox::Ok);
    showMessage("桌子名称可能重复!", "桌台", MsgOk, MsgWarning);
    EXPECT_EQ(answer.shown, QString("桌台|桌子名称可能重复!|%1").arg(int(QMessageBox::Warning)));

    struct Case {
        MsgButtons buttons;
        QMessageBox::StandardButton press;
        int want;
    };
    for (Case c : {Case{MsgYesNo, QMessageBox::Yes, AnsYes}, Case{MsgYesNo, QMessageBox::No, AnsNo},
                   Case{MsgYesNo, QMessageBox::NoButton, AnsNo}, Case{MsgOkCancel, QMessageBox::Ok, AnsOk},
                   Case{MsgOkCancel, QMessageBox::NoButton, AnsCancel},
                   Case{MsgYesNoCancel, QMessageBox::Cancel, AnsCancel},
                   Case{MsgYesNoCancel, QMessageBox::NoButton, AnsCancel}}) {
        answer.next(c.press);
        EXPECT_EQ(showMessage("删除员工吗？", "确认", c.buttons, MsgQuestion), c.want) << c.buttons << " " << c.press;
        EXPECT_EQ(answer.shown, QString("确认|删除员工吗？|%1").arg(int(QMessageBox::Question)));
    }
}

TEST(MessageBoxes, OnceTheProgramIsEndingNoBoxShowsAndNoneCountsAsYes) {
    setMessageHandler(nullptr);
    bool ended = false;
    setTerminateHandler([&] { ended = true; });
    terminateApplication();
    ASSERT_TRUE(ended && terminationRequested());
    // Were a box shown, it would be answered yes (or with its first button).
    BoxAnswer answer;
    answer.next(QMessageBox::Yes);
    EXPECT_FALSE(askYesNo("删除员工吗？"));
    answer.next(QMessageBox::Ok);
    EXPECT_EQ(showMessage("x", "", MsgOkCancel), AnsCancel);
    answer.next(QMessageBox::Yes);
    EXPECT_EQ(showMessage("x", "", MsgYesNoCancel), AnsCancel);
    answer.next(QMessageBox::Ok);
    EXPECT_EQ(showMessage("x"), AnsOk);
    QApplication::processEvents();  // the answers find no box
    EXPECT_TRUE(answer.shown.isEmpty());
    setTerminateHandler(nullptr);
    EXPECT_FALSE(terminationRequested());
}
