#include "data/POReserveTableUnit.h"

QString TPOReserveTable::getStateName(const QString& code) {
    if (code == stateBooked) return QStringLiteral("预订中");
    if (code == stateDone) return QStringLiteral("完成");
    return QString();
}
