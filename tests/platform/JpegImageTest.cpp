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
    for (QPoint at : {QPoint(16, 12), QPoint(48, 12), QPoint(16, 36), QPoint(48, 36)}) {
        const QColor want = drawn.pixelColor(at), got = decoded.pixelColor(at);
        const int off = std::abs(want.red() - got.red()) + std::abs(want.green() - got.green()) +
                        std::abs(want.blue() - got.blue());
        EXPECT_LE(off, 20) << at.x() << "," << at.y();
    }

    // Cut short, or missing: no picture, and the program goes on.
    EXPECT_TRUE(decodeJpeg(bytes.left(bytes.size() / 2)).isNull());
    EXPECT_TRUE(readJpeg(":/no/such/picture.jpg").isNull());
}
}  // namespace
