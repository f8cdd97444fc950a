#pragma once
#include <QColor>
#include <QPushButton>
#include <QString>

// Byte length of a text in the Chinese code page: one byte for an ASCII character,
// two for any other.
int ansiByteLength(const QString& text);

// The caption of a grid button: the whole name when it fits in `maxLength` bytes,
// else a prefix of whole characters followed by "..". The prefix keeps one character
// fewer than the shortest one that reaches maxLength - 2 bytes, so a 12-byte limit
// leaves room for the dots on a 75-pixel button.
QString shortenCaption(const QString& name, int maxLength);

// A grid button carrying a database id and the full name behind its shortened caption.
// Base of the dish and the category buttons.
class TIdButton : public QPushButton {
    Q_OBJECT
public:
    explicit TIdButton(QWidget* parent = nullptr);

    void setId(int value) { id = value; }
    int getId() const { return id; }
    // Read by the next setName; the caption shown now stays as it is.
    void setMaxLength(int value) { maxLength = value; }
    int getMaxLength() const { return maxLength; }
    // Keeps the full name and shows it shortened to the byte limit.
    void setName(const QString& value);
    QString getName() const { return name; }

    void setFontColor(const QColor& colour);
    QColor fontColor() const;

signals:
    // Any mouse button pressed on the button (a click reacts to the left one only).
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int id = 0;
    int maxLength = 0;
    QString name;
};
