#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

#include "platform/ProgramStyle.h"

// The program's style reads the overflow arrows only when they are first drawn; they
// must look exactly as the platform's style draws them, in both directions.
TEST(ProgramStyleTest, OverflowArrowsAsThePlatformStyleDrawsThem) {
    std::unique_ptr<QStyle> platform(QStyleFactory::create(QApplication::style()->name()));
    ASSERT_TRUE(platform);
    useProgramStyle();
    QStyle* program = QApplication::style();
    useProgramStyle();
    EXPECT_EQ(QApplication::style(), program);

    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
        for (const QStyleOption* option : {static_cast<const QStyleOption*>(nullptr), &std::as_const(rightToLeft)})
            for (int size : {8, 16, 32})
                EXPECT_EQ(program->standardIcon(which, option).pixmap(size).toImage(),
                          platform->standardIcon(which, option).pixmap(size).toImage())
                    << which << " " << size;

    // A menu bar too narrow for its menus shows its overflow button with that arrow.
    QMainWindow window;
    for (const char* title : {"文件(&F)", "编辑(&E)", "查看(&V)", "工具(&T)", "帮助(&H)"})
        window.menuBar()->addMenu(QString::fromUtf8(title));
    window.resize(90, 120);
    window.show();
    QApplication::processEvents();
    auto* overflow = window.menuBar()->findChild<QToolButton*>();
    ASSERT_TRUE(overflow);
    EXPECT_TRUE(overflow->isVisible());
    EXPECT_EQ(overflow->icon().pixmap(16).toImage(),
              platform->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage());
}
