#include <gtest/gtest.h>

#include "frame/MenuButtonUnit.h"
#include "support/QtPrinters.h"

TEST(MenuButtonTest, CaptionKeepsWholeCharactersWithinTheByteLimit) {
    TMenuButton dish;
    dish.setMaxLength(12);
    const std::vector<std::pair<QString, QString>> cases = {
        {"宫保鸡丁六字", "宫保鸡丁六字"},    // 12 bytes of double-byte characters
        {"abcdefghijklm", "abcdefghi.."},    // one byte more: shortened
        {"中abcdefghijk", "中abcdefg.."},    // the cut counts the wide character as two
    };
    for (const auto& [name, caption] : cases) {
        dish.setName(name);
        EXPECT_EQ(dish.text(), caption) << name.toStdString();
    }
    EXPECT_EQ(shortenCaption("ab", 0), "..");  // a tiny limit leaves the dots
}
