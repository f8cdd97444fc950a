#include "data/POMenuInsUnit.h"

#include <utility>
#include <vector>

namespace {
using CodeTexts = std::vector<std::pair<QString, QString>>;

const CodeTexts& stateTexts() {
    static const CodeTexts table{{TPOMenuIns::stateNormal, QStringLiteral("正常")},
                                 {TPOMenuIns::stateGift, QStringLiteral("赠送")},
                                 {TPOMenuIns::stateReturned, QStringLiteral("退菜")}};
    return table;
}

const CodeTexts& servingTexts() {
    static const CodeTexts table{{TPOMenuIns::servingDone, QStringLiteral("已传")},
                                 {TPOMenuIns::servingWaiting, QStringLiteral("未传")}};
    return table;
}

const CodeTexts& printStateTexts() {
    static const CodeTexts table{{TPOMenuIns::printWaiting, QStringLiteral("未打印")},
                                 {TPOMenuIns::printDone, QStringLiteral("打印完成")},
                                 {TPOMenuIns::printNone, QStringLiteral("不打印")}};
    return table;
}

QString textOf(const CodeTexts& table, const QString& code, const QString& otherwise = QString()) {
    for (const auto& [c, text] : table)
        if (c == code) return text;
    return otherwise;
}

QString codeOf(const CodeTexts& table, const QString& text) {
    for (const auto& [code, t] : table)
        if (t == text) return code;
    return QString();
}
}  // namespace

QString TPOMenuIns::getStateText() const { return textOf(stateTexts(), state); }

QString TPOMenuIns::getServingText() const { return textOf(servingTexts(), serving); }

// A line that never had a ticket state counts as still to be printed.
QString TPOMenuIns::getPrintStateText() const {
    return textOf(printStateTexts(), printState, QStringLiteral("未打印"));
}

// "不打折" maps to a code that has no text of its own; no window offers it.
QString TPOMenuIns::stateTextToCode(const QString& text) {
    if (text == QStringLiteral("不打折")) return stateNoDiscount;
    return codeOf(stateTexts(), text);
}

QString TPOMenuIns::servingTextToCode(const QString& text) { return codeOf(servingTexts(), text); }

QString TPOMenuIns::printStateTextToCode(const QString& text) { return codeOf(printStateTexts(), text); }
