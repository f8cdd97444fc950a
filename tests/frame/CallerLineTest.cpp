#include <gtest/gtest.h>

#include "frame/CallerLineUnit.h"

TEST(CallerLine, RingAndNumberComeOnlyFromCompleteLinesHoweverTheReadsSplitThem) {
    TCallerLineBuffer buffer;
    auto r = buffer.feed("\r\nRING\r\n");
    EXPECT_TRUE(r.ring);
    EXPECT_FALSE(r.hasNumber);
    r = buffer.feed("\r\nNMBR= 13812345678 \r\n");
    EXPECT_FALSE(r.ring);
    EXPECT_EQ(r.number, "13812345678");

    EXPECT_FALSE(buffer.feed("\r\nNMBR=138").hasNumber);
    EXPECT_FALSE(buffer.feed("12345678").hasNumber);
    r = buffer.feed("\r");
    EXPECT_TRUE(r.hasNumber);
    EXPECT_EQ(r.number, "13812345678");
    r = buffer.feed("\n");  // the LF after the CR is an empty line, not a second call
    EXPECT_FALSE(r.hasNumber || r.ring);
    buffer.feed("NM");  // even the keyword may be split
    EXPECT_EQ(buffer.feed("BR=02087654321\n").number, "02087654321");

    // A whole caller-ID burst gives the ring and the number; the half ring waits.
    r = buffer.feed("\r\nRING\r\n\r\nDATE=0501\r\nTIME=1230\r\nNMBR=13812345678\r\nNAME=ZHANG\r\n\r\nRI");
    EXPECT_TRUE(r.ring && r.hasNumber);
    EXPECT_EQ(r.number, "13812345678");
    r = buffer.feed("NG\r\n");
    EXPECT_TRUE(r.ring);
    EXPECT_FALSE(r.hasNumber);
    EXPECT_EQ(buffer.pending(), "");
}

TEST(CallerLine, TextWithoutLineEndsCannotGrowWithoutBound) {
    TCallerLineBuffer buffer;
    for (int i = 0; i < 100; ++i) buffer.feed(QString(1000, 'x'));
    EXPECT_LE(buffer.pending().size(), 4096);
    EXPECT_EQ(buffer.feed("\r\nNMBR=123\r\n").number, "123");
}

TEST(CallerLine, BlanksAroundTheEqualsSignAndWithheldNumbers) {
    TCallerLineBuffer buffer;
    EXPECT_EQ(buffer.feed("NMBR = 8475550001\r\n").number, "8475550001");
    EXPECT_EQ(buffer.feed("  NMBR\t=\t13800138000 \r\n").number, "13800138000");
    for (const char* withheld : {"NMBR=P\r\n", "NMBR = O\r\n"}) {
        auto r = buffer.feed(withheld);
        EXPECT_TRUE(r.hasNumber) << withheld;  // a call, without a number
        EXPECT_EQ(r.number, "") << withheld;
    }
    EXPECT_FALSE(buffer.feed("DDN_NMBR=5551234\r\n").hasNumber);  // the dialled number is not the caller's
}
