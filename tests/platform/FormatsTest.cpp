#include <gtest/gtest.h>

#include "platform/DateTime.h"
#include "platform/Errors.h"
#include "platform/Formats.h"

TEST(Formats, RoundingIsHalfAwayFromZeroAndDoesNotDriftWithTheAmount) {
    EXPECT_EQ(formatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(formatFloat("0.00", -2.675), "-2.68");
    EXPECT_EQ(formatFloat("0.00", 500000000000.005), "500000000000.01");
    EXPECT_EQ(formatFloat("0.00", -0.004), "0.00");
    EXPECT_EQ(floatToStr(2.50), "2.5");
    // An amount shown, read back and shown again stays the same amount: paid equal
    // to the total gives no change, however large the bill.
    for (double v : {123456789012345678.0, -3.3333333333333e17, 1e300}) {
        const QString shown = formatFloat("0.00", v);
        EXPECT_EQ(formatFloat("0.00", strToFloat(shown)), shown) << v;
    }
}

TEST(Formats, DateTimesDecodeToTheSecondAndConversionsNameTheBadText) {
    TDateTime v = encodeDateTime(2024, 5, 1, 13, 5, 9);
    // A value a hair below the second still decodes to that second.
    EXPECT_EQ(toQTime(TDateTime(v.val - 1e-9)), QTime(13, 5, 9));
    EXPECT_EQ(formatDateTime("yyyy-MM-dd hh:nn:ss", encodeDateTime(2024, 12, 31, 23, 59, 59)), "2024-12-31 23:59:59");
    EXPECT_EQ(strToInt(" 42 "), 42);
    for (const char* bad : {"", "1.5", "99999999999999", "12a"}) {
        try {
            strToInt(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const ConvertError& e) {
            EXPECT_TRUE(e.text().contains(QString("'%1'").arg(bad)));
        }
    }
    EXPECT_THROW(strToFloat("nan"), ConvertError);
}
