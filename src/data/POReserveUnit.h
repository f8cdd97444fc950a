#pragma once
#include <QString>

#include "platform/DateTime.h"

// One guest's booking (a row of `reserve`).
class TPOReserve {
public:
    // Reservation states.
    static inline const QString stateBooked = QStringLiteral("R001");
    static inline const QString stateCompleted = QStringLiteral("R002");
    static inline const QString stateNoShow = QStringLiteral("R003");
    static inline const QString stateCancelled = QStringLiteral("R004");

    // Code -> display text; an unknown code gives an empty text.
    static QString getStateName(const QString& code);
    // Display text -> code; an unknown text gives an empty code.
    static QString getStateCode(const QString& text);

    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getGuestName() const { return guestName; }
    void setGuestName(const QString& v) { guestName = v; }
    QString getTelephone() const { return telephone; }
    void setTelephone(const QString& v) { telephone = v; }
    QString getGuestType() const { return guestType; }
    void setGuestType(const QString& v) { guestType = v; }
    QString getGuestNum() const { return guestNum; }
    void setGuestNum(const QString& v) { guestNum = v; }
    // Written once by the insert text; nothing reads it back from a record.
    void setCreateTime(TDateTime v) { createTime = v; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    QString guestName;
    QString telephone;
    QString guestType;
    QString guestNum;
    TDateTime createTime = 0.0;
    QString state;
    QString description;
};
