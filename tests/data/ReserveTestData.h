#pragma once
#include <QString>

#include "platform/DateTime.h"
#include "support/TestDatabase.h"

// Reservations and bookings written directly, so the readers and windows are tested
// against rows the code under test did not make. Base is the test fixture to extend.
template <class Base>
class WithReserveRows : public Base {
protected:
    static constexpr int breakfast = 1, lunch = 2, dinner = 3;  // sample meal periods

    void addReserve(int id, const QString& state, TDateTime createTime = 0.0) {
        this->exec(QString("insert into reserve(id,guest_name,telephone,state,create_time) values(%1,'客%1','139%1','%2',%3)")
                       .arg(id).arg(state).arg(double(createTime), 0, 'g', 17));
    }
    // Copies the table's and the meal's names and times, as booking does.
    void addBooking(int id, int reserveId, int tableId, int eatId, TDateTime date, const QString& state = "RT001") {
        this->exec(QString("insert into reserve_table select %1,%2,t.table_name,t.id,e.name,e.id,e.start_time,e.end_time,%3,'%4' "
                           "from table_spec t, eat e where t.id=%5 and e.id=%6")
                       .arg(id).arg(reserveId).arg(double(date), 0, 'g', 17).arg(state).arg(tableId).arg(eatId));
    }
};

// The sample restaurant plus such rows.
using ReserveDbTest = WithReserveRows<SampleDbTest>;
