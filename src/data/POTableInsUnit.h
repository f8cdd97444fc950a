#pragma once
#include <QString>

#include "platform/DateTime.h"

// One occupation of a dining table (a row of table_instance).
class TPOTableIns {
public:
    static inline const QString stateInUse = QStringLiteral("TIS001");
    static inline const QString stateCheckedOut = QStringLiteral("TIS002");  // not yet cleared
    static inline const QString stateCleared = QStringLiteral("TIS003");
    static inline const QString stateGivenBack = QStringLiteral("TIS004");   // before checkout
    static inline const QString stateMerged = QStringLiteral("TIS005");      // into another instance

    // The columns set since the record was read or last saved: an update writes
    // only these, so a record read before another station's change cannot undo it.
    enum Column { OrderIdCol = 1, TableIdCol = 2, TableNameCol = 4, StartTimeCol = 8, EndTimeCol = 16,
                  StateCol = 32, ReserveTableIdCol = 64, DescriptionCol = 128 };
    unsigned changedColumns() const { return changed; }
    void markSaved() { changed = 0; }

    int getId() const { return id; }
    void setId(int v) { id = v; }
    int getOrderId() const { return orderId; }
    void setOrderId(int v) { orderId = v; changed |= OrderIdCol; }
    int getTableId() const { return tableId; }
    void setTableId(int v) { tableId = v; changed |= TableIdCol; }
    QString getTableName() const { return tableName; }
    void setTableName(const QString& v) { tableName = v; changed |= TableNameCol; }
    TDateTime getStartTime() const { return startTime; }
    void setStartTime(TDateTime v) { startTime = v; changed |= StartTimeCol; }
    TDateTime getEndTime() const { return endTime; }
    void setEndTime(TDateTime v) { endTime = v; changed |= EndTimeCol; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; changed |= StateCol; }
    int getReserveTableId() const { return reserveTableId; }
    void setReserveTableId(int v) { reserveTableId = v; changed |= ReserveTableIdCol; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; changed |= DescriptionCol; }

private:
    int id = 0;
    int orderId = 0;
    int tableId = 0;
    QString tableName;
    TDateTime startTime;
    TDateTime endTime;
    QString state;
    int reserveTableId = 0;
    QString description;
    unsigned changed = 0;
};
