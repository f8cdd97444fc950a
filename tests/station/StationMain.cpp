// A station working on a shared database file through the managers the windows
// use: the system tests run two of these at once, or kill one at random moments.
//
//   station <file> ops <seed> <count> <operator>  random operations, then prints counts
//   station <file> loop <seed> <operator>         random operations until killed
//   station <file> lock                           holds the write lock until a line arrives
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <sqlite3.h>
#include <string>

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/MenuInsMgrUnit.h"
#include "data/OrderMgrUnit.h"
#include "data/PrickMgrUnit.h"
#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/SequenceMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "platform/Messages.h"

namespace {

const int tableIds[] = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12};

class Station {
public:
    Station(unsigned seed, int operatorId) : rng(seed), seed(seed), operatorId(operatorId) {
        setMessageHandler([this](const MessageRequest&) { return ++messages, int(AnsOk); });
    }

    // One random operation; its outcome is counted.
    void step(bool withClosing) {
        if (opsRun % 4 == 0) refresh();
        int before = messages;
        bool ok = true;
        switch (pick(withClosing ? 8 : 9)) {
        case 0: case 1: ok = openTable(); break;
        case 2: case 3: ok = orderDishes(); break;
        case 4: ok = checkout(); break;
        case 5: ok = merge(); break;
        case 6: ok = changeState(checkedOut, TPOTableIns::stateCleared); break;
        case 7: ok = withClosing ? close() : switchTable(); break;
        default: ok = pick(2) ? changeState(inUse, TPOTableIns::stateGivenBack) : reserve(); break;
        }
        ++opsRun;
        refused += !ok;
        unreported += !ok && messages == before;
        reportedAsFailed += ok && messages != before;
    }

    int opsRun = 0, refused = 0, unreported = 0, reportedAsFailed = 0, checkouts = 0;
    int dishLines = 0;  // stored less removed by the saves this station was told were done
    double money = 0;

private:
    int pick(int n) { return int(rng() % unsigned(n)); }
    int anyTable() { return tableIds[pick(int(std::size(tableIds)))]; }
    QString nameOf(int table) { return TTableMgr::getTableById(table)->getTableName(); }

    // What the station believes: often older than the file, as a window's map is.
    void refresh() {
        inUse.clear();
        checkedOut.clear();
        for (int t : tableIds) {
            if (auto ins = TTableInsMgr::getTableInsByTableId(t, TPOTableIns::stateInUse)) inUse[t] = *ins;
            if (auto ins = TTableInsMgr::getTableInsByTableId(t, TPOTableIns::stateCheckedOut)) checkedOut[t] = *ins;
        }
    }
    // A table of the map at random (0 when none).
    int anyOf(const std::map<int, TPOTableIns>& map) {
        if (map.empty()) return 0;
        return std::next(map.begin(), pick(int(map.size())))->first;
    }
    int freeTable() {
        for (int tries = 0; tries < 8; ++tries)
            if (int t = anyTable(); !inUse.count(t)) return t;
        return 0;
    }

    bool openTable() {
        int t = freeTable();
        if (!t) return true;
        TPOTableIns ins;
        ins.setTableId(t); ins.setTableName(nameOf(t)); ins.setStartTime(Now()); ins.setState(TPOTableIns::stateInUse);
        if (TTableInsMgr::insert(ins) == 0) return false;
        inUse[t] = ins;
        return true;
    }

    // The new lines of a save carry its tag and their number, and a line is only
    // ever removed with every line of its tag: a tag short of its number is a
    // save left half done.
    bool orderDishes() {
        int t = anyOf(inUse);
        if (!t) return true;
        int owner = inUse[t].getId();
        TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(owner);
        const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(lines);
        if (!lines.empty() && pick(3) == 0) {
            const QString tag = lines[size_t(pick(int(lines.size())))]->getDescription();
            lines.erase(std::remove_if(lines.begin(), lines.end(), [&](auto& l) { return l->getDescription() == tag; }),
                        lines.end());
        }
        const int removed = int(asRead.size() - lines.size()), added = 1 + pick(3);
        QString tag = QString("%1-%2/%3").arg(seed).arg(++saves).arg(added);
        for (int n = added; n > 0; --n) {
            auto line = std::make_shared<TPOMenuIns>();
            line->setConsultId(owner); line->setRelaType(TPOMenuIns::relaTableIns); line->setMenuId(1 + pick(9));
            line->setPrice(5 + pick(60)); line->setQuantity(1 + pick(3)); line->setDescription(tag);
            lines.push_back(line);
        }
        if (TMenuInsMgr::saveMenuInsList(owner, TPOMenuIns::relaTableIns, lines, asRead).empty()) return false;
        dishLines += added - removed;
        return true;
    }

    std::vector<TPOTableIns> batch() {
        std::vector<TPOTableIns> list;
        for (int n = 1 + pick(2); n > 0; --n)
            if (int t = anyOf(inUse); t && (list.empty() || list[0].getTableId() != t)) list.push_back(inUse[t]);
        return list;
    }

    bool checkout() {
        std::vector<TPOTableIns> list = batch();
        if (list.empty()) return true;
        double total = 0;
        for (const TPOTableIns& ins : list)
            for (auto& line : TMenuInsMgr::getTableInsMenuIns(ins.getId())) total += line->getPrice() * line->getQuantity();
        TPOOrder order;
        order.setCreateTime(Now()); order.setPrice(total); order.setPrice1(total); order.setPrice2(total);
        order.setState(TPOOrder::stateCheckedOut); order.setOperatorId(operatorId);
        order.setOperatorName(QString("收银%1").arg(operatorId));
        if (TOrderMgr::insert(order, list) == 0) return false;
        ++checkouts;
        money += total;
        return true;
    }

    bool merge() {
        std::vector<TPOTableIns> list = batch();
        if (list.empty()) return true;
        // Onto a table of the batch, or one the station believes free.
        int target = pick(2) ? list[0].getTableId() : freeTable();
        return !target || TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(target));
    }

    bool switchTable() {
        int from = anyOf(inUse), to = freeTable();
        if (!from || !to) return true;
        TPOTableIns ins = inUse[from];
        ins.setTableId(to);
        ins.setTableName(nameOf(to));
        return TTableInsMgr::update(ins);
    }

    // Clearing a checked-out table or cancelling one in use.
    bool changeState(const std::map<int, TPOTableIns>& map, const QString& state) {
        int t = anyOf(map);
        if (!t) return true;
        TPOTableIns ins = map.at(t);
        if (state == TPOTableIns::stateCleared) ins.setEndTime(Now());
        ins.setState(state);
        return TTableInsMgr::update(ins);
    }

    // As the reservation dialog saves a new booking: its statements in one batch.
    bool reserve() {
        TSequenceMgr ids;
        TPOReserve r;
        r.setId(ids.getNextValue("reserve.id")); r.setGuestName("客人"); r.setCreateTime(Now()); r.setState("R001");
        TPOReserveTable rt;
        int t = anyTable();
        rt.setId(ids.getNextValue("reserve_table.id")); rt.setReserveId(r.getId()); rt.setTableId(t);
        rt.setTableName(nameOf(t)); rt.setEatDate(Date() + 1); rt.setEatId(2); rt.setState("RT001");
        TPOMenuIns dish;
        dish.setId(ids.getNextValue("menu_instance.id")); dish.setConsultId(r.getId());
        dish.setRelaType(TPOMenuIns::relaReserve); dish.setPrice(20); dish.setQuantity(1);
        return executeInTransaction({TReserveMgr::getInsertSQL(r), TReserveTableMgr::getInsertSQL(rt),
                                     TMenuInsMgr::getInsertSQL(dish)}, "保存预订出现异常！");
    }

    bool close() {
        for (TPOPrick p : TPrickMgr::getNotPrickList()) {
            if (p.getEmployeeId() != operatorId) continue;
            p.setOperatorId(operatorId); p.setOperatorName(p.getEmployeeName()); p.setCreateTime(Now());
            return TPrickMgr::prick(p) != 0;
        }
        return true;
    }

    std::mt19937 rng;
    unsigned seed;
    int operatorId, messages = 0, saves = 0;
    std::map<int, TPOTableIns> inUse, checkedOut;
};

int holdLock(const QString& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return 2;
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return 3;
    std::printf("locked\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 3) return 1;
    if (args[2] == "lock") return holdLock(args[1]);
    Tdata::useDatabaseFile(args[1]);
    bool loop = args[2] == "loop";
    Station station(args.value(3).toUInt(), args.value(loop ? 4 : 5).toInt());
    while (loop) {
        station.step(true);
        std::printf("op\n");
        std::fflush(stdout);
    }
    for (int n = args.value(4).toInt(); n > 0; --n) station.step(false);
    std::printf("ops=%d refused=%d unreported=%d reportedAsFailed=%d checkouts=%d money=%.2f lines=%d\n",
                station.opsRun, station.refused, station.unreported, station.reportedAsFailed, station.checkouts,
                station.money, station.dishLines);
    return 0;
}
