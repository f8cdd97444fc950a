#include <gtest/gtest.h>

#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
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
        {"七个汉字的菜名", "七个汉字的.."},
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

TEST(MenuButtonTest, CategoryButtonKeepsItsFullNameAndId) {
    TMenuTypeButton category;
    category.setMaxLength(12);
    category.setId(7);
    category.setName("特色海鲜与河鲜类");
    EXPECT_EQ(category.text(), "特色海鲜与..");
    EXPECT_EQ(category.getName(), "特色海鲜与河鲜类");
    EXPECT_EQ(category.getId(), 7);
}
