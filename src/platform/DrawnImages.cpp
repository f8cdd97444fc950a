#include "platform/DrawnImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {
const int toolSize = 30;

QPixmap blank(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

void drawPerson(QPainter& p, QPointF at, double scale, const QColor& color) {
    // `at` is the top of the head; shoulders are a half-ellipse below it.
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(color);
    QRectF head(at.x() - 4 * scale, at.y(), 8 * scale, 8 * scale);
    QPainterPath body;
    QRectF shoulders(at.x() - 7.5 * scale, at.y() + 9 * scale, 15 * scale, 14 * scale);
    body.moveTo(shoulders.left(), shoulders.center().y());
    body.arcTo(shoulders, 180, -180);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(head);
}

void drawSwitchUser(QPainter& p) {
    drawPerson(p, QPointF(19.5, 2), 0.9, QColor(110, 140, 190));
    drawPerson(p, QPointF(11, 7), 1.0, QColor(50, 140, 80));
}

void drawLock(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 100), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(9, 3, 12, 16), 6, 6);
    QLinearGradient g(0, 13, 0, 28);
    g.setColorAt(0, QColor(240, 200, 60));
    g.setColorAt(1, QColor(190, 140, 20));
    p.setPen(QPen(QColor(140, 100, 10), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5, 13, 20, 15), 3, 3);
    p.setBrush(QColor(70, 50, 10));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(13, 17, 4, 4));
    p.drawRect(QRectF(14.2, 20, 1.6, 5));
}

void drawKey(QPainter& p) {
    p.setPen(QPen(QColor(170, 130, 20), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 3, 11, 11));
    p.drawLine(QPointF(12, 12), QPointF(26, 26));
    p.drawLine(QPointF(21, 21), QPointF(25, 17));
    p.drawLine(QPointF(24, 24), QPointF(27, 21));
}

void drawGlobe(QPainter& p) {
    QRadialGradient g(QPointF(11, 10), 16);
    g.setColorAt(0, QColor(150, 200, 255));
    g.setColorAt(1, QColor(30, 90, 180));
    p.setPen(QPen(QColor(20, 60, 130), 1.5));
    p.setBrush(g);
    QRectF r(3, 3, 24, 24);
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 240, 255), 1.2));
    p.drawEllipse(QRectF(9, 3, 12, 24));
    p.drawLine(QPointF(15, 3), QPointF(15, 27));
    p.drawLine(QPointF(3, 15), QPointF(27, 15));
    p.drawArc(QRectF(4, -4, 22, 14), 200 * 16, 140 * 16);
    p.drawArc(QRectF(4, 20, 22, 14), 20 * 16, 140 * 16);
}
}  // namespace

QPixmap toolBarImage(ToolImage image) {
    QPixmap pm = blank(toolSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ToolImage::SwitchUser: drawSwitchUser(p); break;
    case ToolImage::Lock: drawLock(p); break;
    case ToolImage::Key: drawKey(p); break;
    case ToolImage::WebPage: drawGlobe(p); break;
    }
    return pm;
}

QPixmap aboutEmblem(int size) {
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    QRadialGradient bg(QPointF(40, 35), 70);
    bg.setColorAt(0, QColor(255, 247, 220));
    bg.setColorAt(1, QColor(225, 170, 70));
    p.setPen(QPen(QColor(150, 90, 20), 3));
    p.setBrush(bg);
    p.drawEllipse(QRectF(4, 4, 92, 92));
    // The stalk bends to the right; grains sit on both sides of its upper half.
    QPainterPath stalk;
    stalk.moveTo(50, 88);
    stalk.cubicTo(48, 60, 52, 35, 68, 14);
    p.setPen(QPen(QColor(110, 80, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stalk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 140, 20));
    for (int i = 0; i < 6; ++i) {
        double t = 0.35 + i * 0.11;
        QPointF at = stalk.pointAtPercent(t);
        double angle = stalk.angleAtPercent(t);
        for (int side : {-1, 1}) {
            p.save();
            p.translate(at);
            p.rotate(-angle + side * 40);
            p.drawEllipse(QRectF(2, -3.5, 13, 7));
            p.restore();
        }
    }
    p.setPen(QPen(QColor(60, 130, 50), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 80), QPointF(30, 62));
    p.drawLine(QPointF(50, 72), QPointF(72, 58));
    return pm;
}

QColor tableIconColour(TableIcon icon) {
    switch (icon) {
    case TableIcon::White: return QColor(255, 255, 255);
    case TableIcon::Blue: return QColor(60, 120, 215);
    case TableIcon::Green: return QColor(60, 170, 80);
    case TableIcon::Red: return QColor(215, 55, 50);
    case TableIcon::Grey: return QColor(165, 165, 165);
    }
    return QColor(255, 255, 255);
}

QPixmap tableIconImage(TableIcon icon) {
    QPixmap pm(53, 39);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(70, 70, 80);
    // Chairs first, so the table top covers their inner edges.
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(150, 110, 70));
    for (QRectF chair : {QRectF(16, 1, 9, 7), QRectF(28, 1, 9, 7), QRectF(16, 31, 9, 7), QRectF(28, 31, 9, 7),
                         QRectF(3, 15, 7, 9), QRectF(43, 15, 7, 9)})
        p.drawRoundedRect(chair, 2, 2);
    QColor top = tableIconColour(icon);
    QLinearGradient shade(0, 6, 0, 33);
    shade.setColorAt(0, top.lighter(icon == TableIcon::White ? 100 : 125));
    shade.setColorAt(1, icon == TableIcon::White ? QColor(225, 225, 225) : top.darker(115));
    p.setPen(QPen(outline, 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(8, 6, 37, 27), 5, 5);
    return pm;
}

QPixmap swatchLegend(const QList<QPair<QColor, QString>>& entries, QSize size, const QColor& textColour) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    if (entries.isEmpty()) return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const int slot = size.width() / int(entries.size());
    const int box = std::min(14, size.height() - 4);
    for (int i = 0; i < entries.size(); ++i) {
        QRect swatch(i * slot + 2, (size.height() - box) / 2, box, box);
        p.setPen(QPen(QColor(70, 70, 80), 1));
        p.setBrush(entries[i].first);
        p.drawRect(swatch);
        p.setPen(textColour);
        QRect text(swatch.right() + 5, 0, slot - box - 7, size.height());
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, entries[i].second);
    }
    return pm;
}
