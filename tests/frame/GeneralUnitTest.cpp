#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

#include "frame/GeneralUnit.h"
#include "platform/Errors.h"

TEST(NumberKey, DigitsBackspaceAndOnePoint) {
    for (QChar key : {QChar('.'), QChar('9'), QChar(8)}) EXPECT_TRUE(isNumberKey("", key)) << key.unicode();
    for (QChar key : {QChar('a'), QChar('-')}) EXPECT_FALSE(isNumberKey("", key)) << key.unicode();
    EXPECT_FALSE(isNumberKey("12.5", QChar('.')));
    EXPECT_TRUE(isNumberKey("12.5", QChar('7')));
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
    encodeEAN13(" \t6900100000123", pattern);
    EXPECT_EQ(pattern, ticketPattern);
    // First digit 0 keeps every left digit in set A.
    encodeEAN13("0123456789012", pattern);
    EXPECT_EQ(pattern.mid(3, 42), QString("0011001" "0010011" "0111101" "0100011" "0110001" "0101111"));

    // A reused pattern never keeps the previous ticket's bars. Trailing blanks count:
    // the last one is 14 characters.
    for (const char* wrong : {"690010000012", "69001000001234", "6900100000123 ", "69001000001x3", "+900100000123"}) {
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

TEST(EAN13, DrawsGuardBarsTenPixelsLonger) {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QImage withDigits = image;
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
    drawEAN13(ticketPattern, " 6900100000123", withDigits);
    EXPECT_EQ(withDigits.copy(0, 0, 120, 50), image.copy(0, 0, 120, 50));
    EXPECT_NE(withDigits.copy(0, 50, 120, 30), image.copy(0, 50, 120, 30));
}
