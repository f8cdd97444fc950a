#include <gtest/gtest.h>

#include "frame/CallerLineUnit.h"

TEST(CallerLine, TextWithoutLineEndsCannotGrowWithoutBound) {
    TCallerLineBuffer buffer;
    for (int i = 0; i < 100; ++i) buffer.feed(QString(1000, 'x'));
    EXPECT_LE(buffer.pending().size(), 4096);
    EXPECT_EQ(buffer.feed("\r\nNMBR=123\r\n").number, "123");
}

TEST(CallerLine, BlanksAroundTheEqualsSignAndWithheldNumbers) {
    TCallerLineBuffer buffer;
    EXPECT_EQ(buffer.feed("  NMBR\t=\t13800138000 \r\n").number, "13800138000");
    auto r = buffer.feed("NMBR = O\r\n");
    EXPECT_TRUE(r.hasNumber);  // a call, without a number
    EXPECT_EQ(r.number, "");
    EXPECT_FALSE(buffer.feed("DDN_NMBR=5551234\r\n").hasNumber);  // the dialled number is not the caller's
}
