#pragma once
#include <QList>
#include <QString>
#include <functional>

#include "platform/DateTime.h"

struct sqlite3;

// How big a generated restaurant is. The defaults are a busy restaurant's year.
struct RestaurantSize {
    int days = 365;              // of history, ending with today
    int floors = 5;
    int tablesPerFloor = 60;     // a few of each floor disabled
    int categories = 40;
    int dishes = 400;
    int instancesPerDay = 150;   // each settled by an order, over the four meals
    int linesPerInstance = 6;
    int reservationsPerDay = 12;
    int guestsPerDay = 10;
    int operators = 6;           // cashiers taking the money
};

// What a benchmark or test needs to know of the restaurant it got.
struct GeneratedRestaurant {
    QList<int> eatIds;           // breakfast, lunch, dinner, late meal
    QList<int> operatorIds;
    QStringList telephones;      // of guests, oldest first
    int firstTableId = 0;        // tables are numbered on from here, floor by floor
};

// Writes the restaurant into a database made from the schema and seed (nothing
// else in it), with `now` the present moment: past days settled and closed,
// today's earlier meals settled, tables in use and checked out in the current
// meal, a few left over from earlier days, and bookings from the past to a few
// days ahead in every state. Deterministic for a given size and moment.
// `progress` hears (days done, days in all).
GeneratedRestaurant generateRestaurant(sqlite3* db, const RestaurantSize& size, TDateTime now,
                                       const std::function<void(int, int)>& progress = {});

// The meal periods written, as times of day.
TDateTime mealStart(int meal);
TDateTime mealEnd(int meal);
