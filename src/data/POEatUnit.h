#pragma once
#include <QString>

#include "platform/DateTime.h"

// A meal period: a named stretch of the day (times of day on day 0).
class TPOEat {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }
    TDateTime getStartTime() const { return startTime; }
    void setStartTime(TDateTime v) { startTime = v; }
    TDateTime getEndTime() const { return endTime; }
    void setEndTime(TDateTime v) { endTime = v; }

private:
    int id = 0;
    QString name;
    TDateTime startTime;
    TDateTime endTime;
};
