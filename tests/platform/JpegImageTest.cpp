#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

#include "platform/JpegImage.h"

namespace {
// Four flat quarters, so a decoded pixel away from the edges must come back close to
// the colour drawn there.
QByteArray quartersJpeg(QImage& drawn) {
    drawn = QImage(64, 48, QImage::Format_RGB32);
    QPainter p(&drawn);
    p.fillRect(0, 0, 32, 24, QColor(200, 30, 40));
    p.fillRect(32, 0, 32, 24, QColor(20, 160, 60));
    p.fillRect(0, 24, 32, 24, QColor(30, 60, 210));
    p.fillRect(32, 24, 32, 24, QColor(250, 240, 220));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    drawn.save(&buffer, "JPG", 95);
    return bytes;
}

TEST(JpegImageTest, DecodesThePixelsAndRefusesBrokenPictures) {
    QImage drawn;
    const QByteArray bytes = quartersJpeg(drawn);
    ASSERT_FALSE(bytes.isEmpty());
    const QImage decoded = decodeJpeg(bytes);
    ASSERT_EQ(decoded.size(), drawn.size());
    for (QPoint at : {QPoint(16, 12), QPoint(48, 12), QPoint(16, 36), QPoint(48, 36), QPoint(5, 40)}) {
        const QColor want = drawn.pixelColor(at);
        const QColor got = decoded.pixelColor(at);
        EXPECT_LE(std::abs(want.red() - got.red()), 8) << at.x() << "," << at.y();
        EXPECT_LE(std::abs(want.green() - got.green()), 8) << at.x() << "," << at.y();
        EXPECT_LE(std::abs(want.blue() - got.blue()), 8) << at.x() << "," << at.y();
    }

    // Cut short, garbled after the header, not a JPEG at all, or missing: no picture,
    // and the program goes on.
    EXPECT_TRUE(decodeJpeg(bytes.left(bytes.size() / 2)).isNull());
    QByteArray garbled = bytes;
    for (int i = garbled.size() / 2; i < garbled.size() - 2; ++i) garbled[i] = char(0xFF);
    EXPECT_TRUE(decodeJpeg(garbled).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray("GIF89a not a jpeg")).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(readJpeg(":/no/such/picture.jpg").isNull());
}
}  // namespace
