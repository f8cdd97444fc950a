#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

#include "frame/GeneralUnit.h"
#include "platform/Errors.h"

TEST(NumberKey, DigitsBackspaceAndOnePoint) {
    EXPECT_TRUE(isNumberKey("", QChar('.')));
    EXPECT_TRUE(isNumberKey("", QChar('9')));
    EXPECT_TRUE(isNumberKey("", QChar(8)));
    EXPECT_FALSE(isNumberKey("", QChar('a')));
    EXPECT_FALSE(isNumberKey("", QChar('-')));
    EXPECT_FALSE(isNumberKey("12.5", QChar('.')));
    EXPECT_TRUE(isNumberKey("12.5", QChar('7')));
}

namespace {
// 6900100000123 from the standard's tables: first digit 6 puts the left group in
// sets A B B B A A; the right group is set C.
const QString ticketPattern = QStringLiteral(
    "101"
    "0001011"  // 9 A
    "0100111"  // 0 B
    "0100111"  // 0 B
    "0110011"  // 1 B
    "0001101"  // 0 A
    "0001101"  // 0 A
    "01010"
    "1110010"  // 0 C
    "1110010"  // 0 C
    "1110010"  // 0 C
    "1100110"  // 1 C
    "1101100"  // 2 C
    "1000010"  // 3 C
    "101");
}  // namespace

TEST(EAN13, EncodesThirteenDigitsAndIgnoresOtherLengths) {
    QString pattern;
    encodeEAN13("6900100000123", pattern);
    ASSERT_EQ(pattern.size(), 95);
    EXPECT_EQ(pattern, ticketPattern);

    QString blank;
    encodeEAN13(" \t6900100000123", blank);
    EXPECT_EQ(blank, ticketPattern);

    // First digit 0 keeps every left digit in set A.
    QString zero;
    encodeEAN13("0123456789012", zero);
    EXPECT_EQ(zero.mid(3, 42), QString("0011001" "0010011" "0111101" "0100011" "0110001" "0101111"));

    QString kept = "old";
    encodeEAN13("690010000012", kept);
    EXPECT_EQ(kept, "old");
    encodeEAN13("69001000001234", kept);
    EXPECT_EQ(kept, "old");
    // Trailing blanks count, so this is 14 characters.
    encodeEAN13("6900100000123 ", kept);
    EXPECT_EQ(kept, "old");

    EXPECT_THROW(encodeEAN13("69001000001x3", kept), SystemError);
    EXPECT_THROW(encodeEAN13("+900100000123", kept), SystemError);
    EXPECT_EQ(kept, "old");
}

TEST(EAN13, DrawsGuardBarsTenPixelsLonger) {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    drawEAN13(ticketPattern, "", image);

    const QSet<int> guards = {10, 12, 56, 58, 102, 104};
    for (int x = 0; x < image.width(); ++x) {
        const int module = x - 10;
        const bool bar = module >= 0 && module < 95 && ticketPattern.at(module) == '1';
        const int length = !bar ? 0 : guards.contains(x) ? 60 : 50;
        for (int y = 0; y < image.height(); ++y)
            ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), y < length) << "x " << x << " y " << y;
    }

    // The digits go below the bars and leave the bars above y = 50 untouched.
    QImage withDigits(120, 80, QImage::Format_RGB32);
    withDigits.fill(Qt::white);
    drawEAN13(ticketPattern, " 6900100000123", withDigits);
    EXPECT_EQ(withDigits.copy(0, 0, 120, 50), image.copy(0, 0, 120, 50));
    EXPECT_NE(withDigits.copy(0, 50, 120, 30), image.copy(0, 50, 120, 30));
}
