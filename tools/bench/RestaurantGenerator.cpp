#include "bench/RestaurantGenerator.h"

#include <QVariant>
#include <algorithm>
#include <cmath>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

// One insert compiled once, run with the values of each row.
class Insert {
public:
    Insert(sqlite3* db, const char* sql) : db(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) fail();
    }
    ~Insert() { sqlite3_finalize(stmt); }
    Insert& operator<<(int v) { sqlite3_bind_int64(stmt, ++column, v); return *this; }
    Insert& operator<<(double v) { sqlite3_bind_double(stmt, ++column, v); return *this; }
    Insert& operator<<(TDateTime v) { return *this << v.val; }
    Insert& operator<<(const QString& v) {
        QByteArray utf8 = v.toUtf8();
        sqlite3_bind_text(stmt, ++column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& operator<<(const char* v) { return *this << QString::fromUtf8(v); }
    void run() {
        if (sqlite3_step(stmt) != SQLITE_DONE) fail();
        sqlite3_reset(stmt);
        column = 0;
    }

private:
    [[noreturn]] void fail() { throw std::runtime_error(sqlite3_errmsg(db)); }
    sqlite3* db;
    sqlite3_stmt* stmt = nullptr;
    int column = 0;
};

void exec(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string text = err ? err : "sqlite";
        sqlite3_free(err);
        throw std::runtime_error(text);
    }
}

const int meals = 4;
const int mealTimes[meals][2] = {{7 * 60, 9 * 60 + 30}, {11 * 60, 14 * 60}, {17 * 60, 21 * 60}, {21 * 60 + 30, 23 * 60 + 30}};
const char* mealNames[meals] = {"早餐", "午餐", "晚餐", "夜宵"};
const double minute = 1.0 / 1440;

}  // namespace

TDateTime mealStart(int meal) { return encodeTime(mealTimes[meal][0] / 60, mealTimes[meal][0] % 60, 0); }
TDateTime mealEnd(int meal) { return encodeTime(mealTimes[meal][1] / 60, mealTimes[meal][1] % 60, 0); }

GeneratedRestaurant generateRestaurant(sqlite3* db, const RestaurantSize& size, TDateTime now,
                                       const std::function<void(int, int)>& progress) {
    std::mt19937 rng(20240501);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    GeneratedRestaurant out;
    const double today = dateOf(now);
    const double nowTime = timeOf(now);
    int currentMeal = -1;
    for (int m = 0; m < meals; ++m)
        if (mealStart(m) <= nowTime && nowTime <= mealEnd(m)) currentMeal = m;

    exec(db, "BEGIN");
    Insert employee(db, "insert into employee(id,login_name,password,user_name,team_id,sex,status_student,role_name)"
                        " values(?,?,?,?,1,'S001','D002','收银员')");
    for (int i = 0; i < size.operators; ++i) {
        int id = 1001 + i;
        employee << id << QString("cashier%1").arg(i + 1) << "1" << QString("收银员%1").arg(i + 1);
        employee.run();
        out.operatorIds << id;
    }
    Insert eat(db, "insert into eat(id,name,start_time,end_time) values(?,?,?,?)");
    for (int m = 0; m < meals; ++m) {
        eat << 1001 + m << mealNames[m] << mealStart(m) << mealEnd(m);
        eat.run();
        out.eatIds << 1001 + m;
    }

    struct Table { int id; QString name; };
    std::vector<Table> usable;
    Insert table(db, "insert into table_spec(id,table_name,floor,seat,type,state,X,Y,description) values(?,?,?,4,'大厅',?,?,?,'')");
    out.firstTableId = 1001;
    for (int f = 0; f < size.floors; ++f)
        for (int k = 0; k < size.tablesPerFloor; ++k) {
            int id = 1001 + f * size.tablesPerFloor + k;
            QString name = QString("%1%2").arg(f + 1).arg(k + 1, 2, 10, QChar('0'));
            bool disabled = k % 25 == 24;
            table << id << name << f + 1 << (disabled ? "TS002" : "TS001") << 10 + (k % 10) * 75 << 10 + (k / 10) * 70;
            table.run();
            if (!disabled) usable.push_back({id, name});
        }

    Insert category(db, "insert into menu_type(id,name,type_code,X,Y,seq,description) values(?,?,'',0,0,?,'')");
    for (int c = 0; c < size.categories; ++c) {
        category << 1001 + c << QString("类别%1").arg(c + 1) << c + 1;
        category.run();
    }
    struct Dish { int id; QString name; int category; double price; };
    std::vector<Dish> dishes;
    Insert dish(db, "insert into menu(id,menu_name,menu_type_id,price,rebate,unit,state,X,Y,seq,printer_code,description)"
                    " values(?,?,?,?,10,'份','M001',0,0,?,'P001','')");
    for (int j = 0; j < size.dishes; ++j) {
        int c = j % std::max(1, size.categories);
        Dish d{1001 + j, QString("菜品%1").arg(j + 1), 1001 + c, 8 + (j * 7) % 90 + (j % 2 ? 0.5 : 0)};
        dish << d.id << d.name << d.category << d.price << j / std::max(1, size.categories) + 1;
        dish.run();
        dishes.push_back(d);
    }

    Insert instance(db, "insert into table_instance(id,order_id,table_id,table_name,start_time,end_time,state,"
                        "reserve_table_id,description) values(?,?,?,?,?,?,?,0,'')");
    Insert line(db, "insert into menu_instance(id,consult_id,rela_type,menu_id,menu_name,menu_type_id,menu_type_name,"
                    "price,quantity,unit,state,rebate,serving,printer_code,print_state,description)"
                    " values(?,?,?,?,?,?,?,?,?,'份','MI001',10,?,'P001',?,'')");
    Insert order(db, "insert into o_order(id,guest_id,guest_name,guest_type,guest_num,associator_num,create_time,"
                     "rebate_type,rebate_value,price,price1,price2,give_change,invoice,state,operator_id,operator_name,"
                     "description) values(?,0,'','散客','4','',?,'无',0,?,?,?,?,'无',?,?,?,'')");
    Insert prick(db, "insert into prick(id,operator_id,operator_name,employee_id,employee_name,toDate,create_time,m_money)"
                     " values(?,1,'管理员',?,?,?,?,?)");
    Insert rela(db, "insert into prick_order_rela(prick_id,order_id) values(?,?)");
    Insert reserve(db, "insert into reserve(id,guest_name,telephone,guest_type,guest_num,create_time,state,description)"
                       " values(?,?,?,'散客','6',?,?,'')");
    Insert booking(db, "insert into reserve_table(id,reserve_id,table_name,table_id,eat,eat_id,start_time,end_time,"
                       "eat_date,state) values(?,?,?,?,?,?,?,?,?,?)");
    Insert guest(db, "insert into guest(id,name,address,guest_type_name,id_card,telephone,create_time,associator_num,"
                     "description) values(?,?,'','散客','',?,?,'','')");

    int instanceId = 1001, lineId = 1001, orderId = 1001, prickId = 1001, reserveId = 1001, bookingId = 1001,
        guestId = 1001;
    // The dish lines of one owner; their total.
    auto addLines = [&](int owner, const char* rela, int count, bool served) {
        double total = 0;
        for (int l = 0; l < count; ++l) {
            const Dish& d = dishes[size_t(pick(int(dishes.size())))];
            double quantity = 1 + pick(2);
            line << lineId++ << owner << rela << d.id << d.name << d.category
                 << QString("类别%1").arg(d.category - 1000) << d.price << quantity << (served ? "MI003" : "MI004")
                 << "MIP002";
            line.run();
            total += d.price * quantity;
        }
        return total;
    };
    // An order settling an instance; its id.
    auto addOrder = [&](double total, TDateTime at, bool closed, int operatorIndex) {
        int op = out.operatorIds.isEmpty() ? 1 : out.operatorIds[operatorIndex % out.operatorIds.size()];
        double paid = std::ceil(total / 100) * 100;
        order << orderId << at << total << total << paid << paid - total << (closed ? "ORD003" : "ORD001") << op
              << QString("收银员%1").arg(op - 1000);
        order.run();
        return orderId++;
    };
    auto addInstance = [&](const Table& t, TDateTime start, TDateTime end, const char* state, int orderOf) {
        instance << instanceId << orderOf << t.id << t.name << start << end << state;
        instance.run();
        return instanceId++;
    };

    const int firstDay = int(today) - size.days + 1;
    const int lastBookedDay = int(today) + 3;
    for (int day = firstDay; day <= lastBookedDay; ++day) {
        const bool past = day < today, isToday = day == int(today);
        if (day <= today && !usable.empty()) {
            std::vector<double> closedSum(size_t(std::max(1, size.operators)), 0.0);
            std::vector<std::vector<int>> closedOrders(closedSum.size());
            for (int k = 0; k < size.instancesPerDay; ++k) {
                int meal = k % meals;
                if (isToday && !(mealEnd(meal) < nowTime)) continue;  // only meals already over
                const Table& t = usable[size_t(pick(int(usable.size())))];
                int span = mealTimes[meal][1] - mealTimes[meal][0] - 60;
                TDateTime start(day + mealStart(meal) + pick(std::max(1, span)) * minute + pick(60) / 86400.0);
                TDateTime end(start + 50 * minute);
                int id = instanceId;
                double total = addLines(id, "MIR003", size.linesPerInstance, true);
                int op = pick(std::max(1, size.operators));
                int o = addOrder(total, TDateTime(end - 5 * minute), past, op);
                addInstance(t, start, end, "TIS003", o);
                if (past) {
                    closedSum[size_t(op)] += total;
                    closedOrders[size_t(op)].push_back(o);
                }
            }
            for (size_t op = 0; past && op < closedSum.size() && op < size_t(out.operatorIds.size()); ++op) {
                if (closedOrders[op].empty()) continue;
                prick << prickId << out.operatorIds[int(op)] << QString("收银员%1").arg(op + 1) << TDateTime(day)
                      << TDateTime(day + 23.5 / 24) << closedSum[op];
                prick.run();
                for (int o : closedOrders[op]) {
                    rela << prickId << o;
                    rela.run();
                }
                ++prickId;
            }
        }
        // Bookings, made two days ahead; the past ones settled one way or another.
        for (int r = 0; r < size.reservationsPerDay && !usable.empty(); ++r) {
            int roll = pick(100);
            const char* state = day < today ? (roll < 85 ? "R002" : roll < 95 ? "R003" : "R004")
                                            : (roll < 75 ? "R001" : roll < 90 ? "R004" : "R002");
            reserve << reserveId << QString("客人%1").arg(reserveId) << QString("139%1").arg(reserveId, 8, 10, QChar('0'))
                    << TDateTime(day - 2 + 10.0 / 24) << state;
            reserve.run();
            int meal = 1 + r % 2;  // lunch and dinner in turn
            for (int b = 0, n = 1 + (roll % 3 == 0); b < n; ++b) {
                const Table& t = usable[size_t(pick(int(usable.size())))];
                bool done = QByteArray(state) == "R002";
                booking << bookingId << reserveId << t.name << t.id << mealNames[meal] << out.eatIds[meal]
                        << mealStart(meal) << mealEnd(meal) << TDateTime(day) << (done ? "RT002" : "RT001");
                booking.run();
                if (r % 5 == 0) addLines(bookingId, "MIR002", 2, false);
                ++bookingId;
            }
            if (r % 7 == 0) addLines(reserveId, "MIR001", 2, false);
            ++reserveId;
        }
        if (day <= today)
            for (int g = 0; g < size.guestsPerDay; ++g) {
                QString phone = QString("138%1").arg(guestId, 8, 10, QChar('0'));
                guest << guestId << QString("顾客%1").arg(guestId) << phone << TDateTime(day + 0.5);
                guest.run();
                ++guestId;
                out.telephones << phone;
            }
        if (progress) progress(day - firstDay + 1, lastBookedDay - firstDay + 1);
        if ((day - firstDay) % 30 == 29) exec(db, "COMMIT; BEGIN");
    }

    // The present: a quarter of each floor in use in the current meal, some checked
    // out, and a few tables left in use or checked out from earlier days.
    std::vector<Table> shuffled = usable;
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    size_t next = 0;
    auto takeTable = [&]() -> const Table* { return next < shuffled.size() ? &shuffled[next++] : nullptr; };
    const int busy = currentMeal >= 0 ? int(usable.size()) / 4 : 0;
    for (int k = 0; k < busy; ++k) {
        const Table* t = takeTable();
        if (!t) break;
        TDateTime start(today + mealStart(currentMeal) + pick(30) * minute);
        if (start > now) start = now;
        int id = instanceId;
        double total = addLines(id, "MIR003", size.linesPerInstance, k % 2 == 0);
        if (k % 3 == 2)
            addInstance(*t, start, TDateTime(0), "TIS002", addOrder(total, now, false, k));
        else
            addInstance(*t, start, TDateTime(0), "TIS001", 0);
    }
    for (int k = 0; k < 4; ++k) {
        const Table* t = takeTable();
        if (!t) break;
        TDateTime start(today - 1 - k % 2 + mealStart(2));
        if (k % 2)
            addInstance(*t, start, TDateTime(0), "TIS002", addOrder(100, TDateTime(start + 0.04), true, k));
        else
            addInstance(*t, start, TDateTime(0), "TIS001", 0);
    }

    const QList<QPair<const char*, int>> next_ids = {
        {"employee.id", 1001 + size.operators}, {"eat.id", 1001 + meals},
        {"table_spec.id", 1001 + size.floors * size.tablesPerFloor}, {"menu_type.id", 1001 + size.categories},
        {"menu.id", 1001 + size.dishes}, {"table_instance.id", instanceId}, {"menu_instance.id", lineId},
        {"order.id", orderId}, {"prick.id", prickId}, {"reserve.id", reserveId}, {"reserve_table.id", bookingId},
        {"guest.id", guestId}};
    for (const auto& [key, value] : next_ids)
        exec(db, QString("update sequence set seq_value=%1 where name='%2'").arg(value).arg(key));
    exec(db, "COMMIT");
    return out;
}
