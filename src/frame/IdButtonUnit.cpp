#include "frame/IdButtonUnit.h"

#include <QMouseEvent>
#include <QStringList>

namespace {
// The characters of a text, a surrogate pair kept together as one character.
QStringList characters(const QString& text) {
    QStringList chars;
    for (int i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        chars << text.mid(i, pair ? 2 : 1);
        if (pair) ++i;
    }
    return chars;
}

QString firstChars(const QStringList& chars, int count) {
    return count <= 0 ? QString() : QStringList(chars.mid(0, count)).join(QString());
}
}  // namespace

int ansiByteLength(const QString& text) {
    int bytes = 0;
    for (const QString& c : characters(text)) bytes += (c.size() == 1 && c.at(0).unicode() < 0x80) ? 1 : 2;
    return bytes;
}

QString shortenCaption(const QString& name, int maxLength) {
    if (ansiByteLength(name) <= maxLength) return name;
    const QStringList chars = characters(name);
    // The first prefix is taken unmeasured; each step measures the one a character longer.
    int k = (maxLength - 2) / 2;
    QString prefix;
    QString longer;
    while (ansiByteLength(longer) < maxLength - 2) {
        prefix = firstChars(chars, k);
        ++k;
        longer = firstChars(chars, k);
    }
    return prefix + QStringLiteral("..");
}

TIdButton::TIdButton(QWidget* parent) : QPushButton(parent) {}

void TIdButton::setName(const QString& value) {
    name = value;
    setText(shortenCaption(value, maxLength));
}

void TIdButton::setFontColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor TIdButton::fontColor() const { return palette().color(QPalette::ButtonText); }

void TIdButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
    QPushButton::mousePressEvent(event);
}
