#include <gtest/gtest.h>

#include "frame/CallerLineUnit.h"

TEST(CallerLine, RingAndNumberComeFromCompleteLines) {
    TCallerLineBuffer buffer;
    auto r = buffer.feed("\r\nRING\r\n");
    EXPECT_TRUE(r.ring);
    EXPECT_FALSE(r.hasNumber);

    r = buffer.feed("\r\nNMBR= 13812345678 \r\n");
    EXPECT_FALSE(r.ring);
    EXPECT_TRUE(r.hasNumber);
    EXPECT_EQ(r.number, "13812345678");
    EXPECT_EQ(buffer.pending(), "");
}

TEST(CallerLine, NumberSplitOverReadsWaitsForItsLineEnd) {
    TCallerLineBuffer buffer;
    auto r = buffer.feed("\r\nNMBR=138");
    EXPECT_FALSE(r.hasNumber);
    r = buffer.feed("12345678");
    EXPECT_FALSE(r.hasNumber);
    EXPECT_EQ(buffer.pending(), "NMBR=13812345678");
    r = buffer.feed("\r");
    EXPECT_TRUE(r.hasNumber);
    EXPECT_EQ(r.number, "13812345678");
    // The LF that follows the CR is an empty line, not a second call.
    r = buffer.feed("\n");
    EXPECT_FALSE(r.hasNumber);
    EXPECT_FALSE(r.ring);

    // Even the keyword itself may be split.
    buffer.feed("NM");
    r = buffer.feed("BR=02087654321\n");
    EXPECT_EQ(r.number, "02087654321");
}

TEST(CallerLine, BurstOfCallerIdLinesGivesOnlyTheNumber) {
    TCallerLineBuffer buffer;
    auto r = buffer.feed("\r\nRING\r\n\r\nDATE=0501\r\nTIME=1230\r\nNMBR=13812345678\r\nNAME=ZHANG\r\n\r\nRI");
    EXPECT_TRUE(r.ring);
    EXPECT_TRUE(r.hasNumber);
    EXPECT_EQ(r.number, "13812345678");
    EXPECT_EQ(buffer.pending(), "RI");
    r = buffer.feed("NG\r\n");
    EXPECT_TRUE(r.ring);
    EXPECT_FALSE(r.hasNumber);
}

TEST(CallerLine, TextWithoutLineEndsCannotGrowWithoutBound) {
    TCallerLineBuffer buffer;
    for (int i = 0; i < 100; ++i)
        buffer.feed(QString(1000, 'x'));
    EXPECT_LE(buffer.pending().size(), 4096);
    auto r = buffer.feed("NMBR=123\r\n");
    EXPECT_TRUE(r.hasNumber);
    EXPECT_EQ(r.number, "123");
    EXPECT_EQ(buffer.pending(), "");
}
