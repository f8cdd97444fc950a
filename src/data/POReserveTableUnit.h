#pragma once
#include <QString>

#include "platform/DateTime.h"

// One dining table booked by a reservation for a date and meal period (a row of
// `reserve_table`). Table name, meal name and times are copies taken at booking.
class TPOReserveTable {
public:
    static inline const QString stateBooked = QStringLiteral("RT001");
    static inline const QString stateDone = QStringLiteral("RT002");

    // Code -> display text; an unknown code gives an empty text.
    static QString getStateName(const QString& code);

    int getId() const { return id; }
    void setId(int v) { id = v; }
    int getReserveId() const { return reserveId; }
    void setReserveId(int v) { reserveId = v; }
    QString getTableName() const { return tableName; }
    void setTableName(const QString& v) { tableName = v; }
    int getTableId() const { return tableId; }
    void setTableId(int v) { tableId = v; }
    QString getEat() const { return eat; }
    void setEat(const QString& v) { eat = v; }
    int getEatId() const { return eatId; }
    void setEatId(int v) { eatId = v; }
    TDateTime getStartTime() const { return startTime; }
    void setStartTime(TDateTime v) { startTime = v; }
    TDateTime getEndTime() const { return endTime; }
    void setEndTime(TDateTime v) { endTime = v; }
    TDateTime getEatDate() const { return eatDate; }
    void setEatDate(TDateTime v) { eatDate = v; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; }

private:
    int id = 0;
    int reserveId = 0;
    QString tableName;
    int tableId = 0;
    QString eat;
    int eatId = 0;
    TDateTime startTime = 0.0;
    TDateTime endTime = 0.0;
    TDateTime eatDate = 0.0;
    QString state;
};
