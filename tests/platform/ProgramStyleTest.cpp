#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
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
    // Drawn by a painter, sized, or asked for its sizes, the arrow is the platform's too.
    const QIcon deferred = program->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QIcon own = platform->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    auto painted = [](const QIcon& icon) {
        QImage image(24, 24, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.paint(&painter, image.rect());
        return image;
    };
    EXPECT_EQ(painted(deferred), painted(own));
    EXPECT_EQ(deferred.actualSize(QSize(64, 64)), own.actualSize(QSize(64, 64)));
    EXPECT_EQ(deferred.availableSizes(), own.availableSizes());
    EXPECT_FALSE(deferred.isNull());

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
