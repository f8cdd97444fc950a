#include "data/POReserveUnit.h"

#include <utility>
#include <vector>

namespace {
// Code and display text, compared in this order both ways.
const std::vector<std::pair<QString, QString>>& reserveStates() {
    static const std::vector<std::pair<QString, QString>> states = {
        {TPOReserve::stateBooked, QStringLiteral("预订中")},
        {TPOReserve::stateCancelled, QStringLiteral("退订")},
        {TPOReserve::stateNoShow, QStringLiteral("用户没来")},
        {TPOReserve::stateCompleted, QStringLiteral("正常完成")},
    };
    return states;
}
}  // namespace

QString TPOReserve::getStateName(const QString& code) {
    for (const auto& [stateCode, text] : reserveStates())
        if (stateCode == code) return text;
    return QString();
}

QString TPOReserve::getStateCode(const QString& text) {
    for (const auto& [stateCode, stateText] : reserveStates())
        if (stateText == text) return stateCode;
    return QString();
}
