#include <gtest/gtest.h>

#include "frame/MenuButtonUnit.h"
#include "support/QtPrinters.h"

TEST(MenuButtonTest, CaptionKeepsWholeCharactersWithinTheByteLimit) {
    TMenuButton dish;
    dish.setMaxLength(12);
    const std::vector<std::pair<QString, QString>> cases = {
        {"abcdefghijkl", "abcdefghijkl"},    // exactly 12 bytes: whole
        {"宫保鸡丁六字", "宫保鸡丁六字"},    // 12 bytes of double-byte characters
        {"abcdefghijklm", "abcdefghi.."},    // one byte more: shortened
        {"中abcdefghijk", "中abcdefg.."},    // the cut counts the wide character as two
        {"ab中文字词句段", "ab中文字.."},
        {"", ""},
    };
    for (const auto& [name, caption] : cases) {
        dish.setName(name);
        EXPECT_EQ(dish.text(), caption) << name.toStdString();
    }
    // A later limit changes nothing until the next name; a tiny limit leaves the dots.
    dish.setName("abcdefghijklm");
    dish.setMaxLength(2);
    EXPECT_EQ(dish.text(), "abcdefghi..");
    dish.setName("abc");
    EXPECT_EQ(dish.text(), "..");
    EXPECT_EQ(shortenCaption("ab", 0), "..");
}
