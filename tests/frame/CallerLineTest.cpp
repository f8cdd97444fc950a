#include <gtest/gtest.h>

#include "frame/CallerLineUnit.h"

// Blanks around "=" and a withheld number are driven through the main window's
// caller panel; here what the panel cannot show.
TEST(CallerLine, TextWithoutLineEndsCannotGrowWithoutBoundAndOnlyTheCallersNumberCounts) {
    TCallerLineBuffer buffer;
    for (int i = 0; i < 100; ++i) buffer.feed(QString(1000, 'x'));
    EXPECT_LE(buffer.pending().size(), 4096);
    EXPECT_EQ(buffer.feed("\r\nNMBR=123\r\n").number, "123");
    EXPECT_FALSE(buffer.feed("DDN_NMBR=5551234\r\n").hasNumber);  // the dialled number is not the caller's
}
