#include "frame/GeneralUnit.h"

#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QValidator>

#include "platform/Errors.h"

QRect roomForWindow(const QScreen* screen) { return screen->availableGeometry().adjusted(8, 32, -8, -8); }

namespace {
// EAN-13 number sets, seven modules per digit, "1" a bar.
const char* const setA[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                              "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const setB[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                              "0111001", "0000101", "0010001", "0001001", "0010111"};
const char* const setC[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                              "1001110", "1010000", "1000100", "1001000", "1110100"};
// Sets of the six left digits by the first digit: '0' set A, '1' set B.
const char* const parity[10] = {"000000", "001011", "001101", "001110", "010011",
                                "011001", "011100", "010101", "010110", "011010"};

QString withoutLeadingBlanks(const QString& text) {
    int i = 0;
    while (i < text.size() && text.at(i) <= QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

int digitAt(const QString& text, int i) {
    const QChar c = text.at(i);
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        throw ConvertError(QStringLiteral("'%1' 不是有效的整数").arg(c));
    return c.unicode() - '0';
}

class NumberKeyValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        QString accepted;
        for (QChar c : input) {
            if (!isNumberKey(accepted, c)) return Invalid;
            accepted += c;
        }
        return Acceptable;
    }
};

bool isGuardModule(int module) {
    return module <= 3 || (module >= 46 && module <= 50) || module >= 93;
}
}  // namespace

bool isNumberKey(const QString& text, QChar key) {
    if (key == QChar(8))
        return true;
    if (key == QLatin1Char('.'))
        return !text.contains(QLatin1Char('.'));
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

void useNumberKeys(QLineEdit* edit) { edit->setValidator(new NumberKeyValidator(edit)); }

void encodeEAN13(const QString& digits, QString& pattern) {
    // A reused pattern must never draw the previous ticket's bars.
    pattern.clear();
    const QString code = withoutLeadingBlanks(digits);
    if (code.size() != 13)
        return;
    const char* const sets = parity[digitAt(code, 0)];
    QString result = QStringLiteral("101");
    for (int i = 1; i <= 6; ++i)
        result += QLatin1String(sets[i - 1] == '0' ? setA[digitAt(code, i)] : setB[digitAt(code, i)]);
    result += QLatin1String("01010");
    for (int i = 7; i <= 12; ++i)
        result += QLatin1String(setC[digitAt(code, i)]);
    result += QLatin1String("101");
    pattern = result;
}

QImage& drawEAN13(const QString& pattern, const QString& digits, QImage& image) {
    const int x0 = 10;
    const int h = 50;
    QPainter canvas(&image);
    for (int i = 1; i <= pattern.size(); ++i) {
        if (pattern.at(i - 1) != QLatin1Char('1'))
            continue;
        canvas.fillRect(QRect(x0 + i - 1, 0, 1, isGuardModule(i) ? h + 10 : h), Qt::black);
    }
    const QString code = withoutLeadingBlanks(digits);
    for (int k = 0; k < code.size() && k < 13; ++k) {
        int x;
        if (k == 0)
            x = x0 - 10;
        else if (k <= 6)
            x = x0 + 5 + 7 * (k - 1);
        else
            x = x0 + 7 + 7 * (k - 1);
        canvas.drawText(QRect(x, h, 1, 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, code.at(k));
    }
    return image;
}
