#include <gtest/gtest.h>

#include "frame/GeneralUnit.h"
#include "platform/Errors.h"

TEST(NumberKey, DigitsBackspaceAndOnePoint) {
    EXPECT_TRUE(isNumberKey("", QChar(8)));
    EXPECT_FALSE(isNumberKey("", QChar('-')));
    EXPECT_FALSE(isNumberKey("12.5", QChar('.')));
}

namespace {
// 6900100000123 from the standard's tables: first digit 6 puts 900100 in sets
// A B B B A A, the right group 000123 is set C; guards 101, 01010, 101.
const QString ticketPattern = QStringLiteral(
    "101" "0001011" "0100111" "0100111" "0110011" "0001101" "0001101" "01010"
    "1110010" "1110010" "1110010" "1100110" "1101100" "1000010" "101");
}  // namespace

TEST(EAN13, EncodesThirteenDigitsAndClearsThePatternForAnythingElse) {
    QString pattern;
    encodeEAN13("6900100000123", pattern);
    EXPECT_EQ(pattern, ticketPattern);
    // First digit 0 keeps every left digit in set A.
    encodeEAN13("0123456789012", pattern);
    EXPECT_EQ(pattern.mid(3, 42), QString("0011001" "0010011" "0111101" "0100011" "0110001" "0101111"));

    // A reused pattern never keeps the previous ticket's bars. Trailing blanks count:
    // the last one is 14 characters.
    for (const char* wrong : {"690010000012", "6900100000123 ", "69001000001x3"}) {
        QString reused = ticketPattern;
        try {
            encodeEAN13(wrong, reused);
            EXPECT_EQ(QString(wrong).size() == 13, false) << wrong;
        } catch (const SystemError&) {
            EXPECT_EQ(QString(wrong).size(), 13) << wrong;  // only a bad digit throws
        }
        EXPECT_EQ(reused, "") << wrong;
    }
}
