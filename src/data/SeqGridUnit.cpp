#include "data/SeqGridUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"

TSeqGrid::TSeqGrid(const QString& table, int columns, const QString& scope)
    : table(table), columns(columns), scope(scope) {}

int TSeqGrid::neighbour(TGridMove move, int seq, const std::function<int()>& count) const {
    switch (move) {
        case TGridMove::Up:
            return seq - columns > 0 ? seq - columns : 0;
        case TGridMove::Left:
            return seq - 1 > 0 ? seq - 1 : 0;
        case TGridMove::Down:
            return seq + columns <= count() ? seq + columns : 0;
        case TGridMove::Right:
            return seq + 1 <= count() ? seq + 1 : 0;
    }
    return 0;
}

namespace {
QString moveFailMessage(TGridMove move) {
    switch (move) {
        case TGridMove::Up:
            return QStringLiteral("上移不成功！");
        case TGridMove::Down:
            return QStringLiteral("下移不成功！");
        case TGridMove::Left:
            return QStringLiteral("左移不成功！");
        case TGridMove::Right:
            return QStringLiteral("右移不成功！");
    }
    return QString();
}
}  // namespace

bool TSeqGrid::move(TGridMove move, int id, int seq, const std::function<int()>& count) const {
    int target = neighbour(move, seq, count);
    if (target == 0) return false;
    // The neighbour moves first; the mover is then found by its id, as its old
    // position now belongs to the neighbour.
    QStringList texts{QStringLiteral("update %1 set seq=%2 where seq=%3%4").arg(table).arg(seq).arg(target).arg(scope),
                      QStringLiteral("update %1 set seq=%2 where id=%3").arg(table).arg(target).arg(id)};
    return executeInTransaction(texts, moveFailMessage(move));
}

QString TSeqGrid::closeGapSQL(int seq) const {
    return QStringLiteral("update %1 set seq=seq-1 where seq>%2%3").arg(table).arg(seq).arg(scope);
}
