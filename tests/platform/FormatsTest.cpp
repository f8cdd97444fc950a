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

TEST(Formats, RoundingDoesNotDriftWithTheSizeOfTheAmount) {
    EXPECT_EQ(formatFloat("0.00", 500000000000.004), "500000000000.00");
    EXPECT_EQ(formatFloat("0.00", 500000000000.005), "500000000000.01");
    EXPECT_EQ(formatFloat("0.00", 1234567890123.44), "1234567890123.44");
    EXPECT_EQ(formatFloat("0", 99999999999999.4), "99999999999999");
    EXPECT_EQ(formatFloat("0.0", -0.05), "-0.1");
    EXPECT_EQ(formatFloat("0.00", 9.995), "10.00");
    EXPECT_EQ(formatFloat("0.00", -0.004), "0.00");
    EXPECT_EQ(formatFloat("0.00", 0.0), "0.00");
    EXPECT_EQ(formatFloat("0", 0.4), "0");
    EXPECT_EQ(formatFloat("0.00", 1e22), "10000000000000000000000.00");
    // An amount shown, read back and shown again stays the same amount: paid equal
    // to the total gives no change, however large the bill.
    for (double v : {123456789012345678.0, 9.87654321098765e21, -3.3333333333333e17, 1e300}) {
        for (const char* format : {"0", "0.0", "0.00"}) {
            const QString shown = formatFloat(format, v);
            EXPECT_EQ(formatFloat(format, strToFloat(shown)), shown) << v;
            EXPECT_EQ(formatFloat("0.00", strToFloat(shown) - strToFloat(shown)), "0.00");
        }
    }
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
