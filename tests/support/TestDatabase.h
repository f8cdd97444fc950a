#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "support/QtPrinters.h"
#include "support/ScriptedAnswerer.h"

// A fresh database per test: schema + seed (+ fixtures), the data module pointed
// at it, every message box answered and recorded, the clock left unfixed.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Extra fixture files, names relative to tests/fixtures (e.g. "sample.sql").
    virtual QStringList fixtures() const { return {}; }
    // Makes the file from the scripts; "" on success, else what went wrong.
    virtual QString createDatabase(const QString& path, const QStringList& scripts);

    // Runs SQL directly on the test database (outside the system's code).
    void exec(const QString& sql);
    // First column of the first row as text; "" when no row.
    QString scalar(const QString& sql);
    int scalarInt(const QString& sql) { return scalar(sql).toInt(); }
    // Every row, columns joined by '|'.
    QStringList rows(const QString& sql);
    // Makes every UPDATE (or INSERT/DELETE) of a table fail, to prove rollbacks.
    void failOn(const QString& event, const QString& table, const QString& when = QString());

    QString dbPath;
    ScriptedAnswerer answers;
    // Put the file in memory where the machine offers it: tests of many thousand
    // commits wait on the disk otherwise. A killed process loses nothing the disk
    // would have kept, so this changes nothing they prove.
    bool memoryFolder = false;

private:
    std::unique_ptr<QTemporaryDir> dir;
};

class SampleDbTest : public DbTest {
protected:
    QStringList fixtures() const override { return {"sample.sql"}; }
};

QString sourcePath(const QString& relative);
