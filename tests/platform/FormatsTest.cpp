#include <gtest/gtest.h>

#include "platform/DateTime.h"
#include "platform/Errors.h"
#include "platform/Formats.h"

TEST(Formats, FloatsRoundHalfAwayFromZeroAndPrintInGeneralForm) {
    EXPECT_EQ(formatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(formatFloat("0.00", -2.675), "-2.68");
    EXPECT_EQ(formatFloat("0", 2.5), "3");
    EXPECT_EQ(formatFloat("0.00", 12), "12.00");
    EXPECT_EQ(floatToStr(2.50), "2.5");
    EXPECT_EQ(floatToStr(3.0), "3");
    EXPECT_EQ(floatToStr(123456.78), "123456.78");
}

TEST(Formats, DateTimesEncodeAndDecodeToTheSecond) {
    TDateTime v = encodeDateTime(2024, 5, 1, 13, 5, 9);
    EXPECT_EQ(formatDateTime("yyyy-MM-dd hh:nn:ss", v), "2024-05-01 13:05:09");
    // A value a hair below the second still decodes to that second.
    EXPECT_EQ(toQTime(TDateTime(v.val - 1e-9)), QTime(13, 5, 9));
    EXPECT_EQ(formatDateTime("yyyy-MM-dd hh:nn:ss", encodeDateTime(2024, 12, 31, 23, 59, 59)), "2024-12-31 23:59:59");
    EXPECT_DOUBLE_EQ(encodeDateTime(1899, 12, 30).val, 0.0);
    EXPECT_EQ(dateOf(v).val, encodeDateTime(2024, 5, 1).val);
    EXPECT_EQ(timeOf(v).val, encodeTime(13, 5, 9).val);
}

TEST(Formats, StrictConversionsNameTheBadText) {
    EXPECT_EQ(strToInt(" 42 "), 42);
    EXPECT_EQ(strToInt("-7"), -7);
    EXPECT_DOUBLE_EQ(strToFloat("2.5"), 2.5);
    for (const char* bad : {"", "abc", "1.5", "99999999999999", "12a"}) {
        try {
            strToInt(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const ConvertError& e) {
            EXPECT_TRUE(e.text().contains(QString("'%1'").arg(bad)));
        }
    }
    EXPECT_THROW(strToFloat("1,5"), ConvertError);
    EXPECT_THROW(strToFloat("nan"), ConvertError);
}
