#include "data/POMenuUnit.h"

QString TPOMenu::getStateCode(const QString& text) {
    if (text == QStringLiteral("正常")) return stateNormal;
    if (text == QStringLiteral("赠送")) return stateGift;
    if (text == QStringLiteral("禁售")) return stateForbidden;
    return QString();
}

QString TPOMenu::getStateName(const QString& code) {
    if (code == stateNormal) return QStringLiteral("正常");
    if (code == stateGift) return QStringLiteral("赠送");
    if (code == stateForbidden) return QStringLiteral("禁售");
    return QString();
}
