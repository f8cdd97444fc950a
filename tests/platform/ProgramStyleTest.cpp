#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>
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

    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
        for (const QStyleOption* option : {static_cast<const QStyleOption*>(nullptr), &std::as_const(rightToLeft)})
            for (int size : {8, 16, 32})
                EXPECT_EQ(program->standardIcon(which, option).pixmap(size).toImage(),
                          platform->standardIcon(which, option).pixmap(size).toImage())
                    << which << " " << size;
}
