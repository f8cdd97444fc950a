// Every window and dialog the screenshot tool knows is rendered by the tool itself,
// and each picture must show a drawn window, not an empty or one-coloured area.
#include <QFile>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "frame/FunctionWindowsUnit.h"
#include "frame/GlobalsUnit.h"
#include "platform/DatabaseFile.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

namespace {
QProcess* startScreenshot(const QStringList& args) {
    auto* run = new QProcess;
    run->setWorkingDirectory(sourcePath(QString()));  // the tool finds db/ and tests/fixtures/ from there
    run->start(QStringLiteral(HELAN_SCREENSHOT), args);
    return run;
}

// What a person would call a drawn window: several colours, none of them covering
// nearly the whole picture, and some dark pixels (text, lines, frames).
QString blankness(const QImage& picture) {
    if (picture.isNull()) return QStringLiteral("no picture");
    if (picture.width() < 100 || picture.height() < 60) return QStringLiteral("too small");
    QHash<QRgb, int> colours;
    int dark = 0;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            ++colours[line[x]];
            if (qGray(line[x]) < 96) ++dark;
        }
    }
    int largest = 0;
    for (int n : colours) largest = std::max(largest, n);
    const double pixels = double(rgb.width()) * rgb.height();
    if (colours.size() < 16) return QStringLiteral("%1 colours").arg(colours.size());
    if (largest / pixels > 0.97) return QStringLiteral("one colour covers %1%").arg(int(100 * largest / pixels));
    if (dark / pixels < 0.002) return QStringLiteral("no text or lines");
    return QString();
}
}  // namespace

TEST(Screenshots, EveryRegisteredWindowAndDialogIsDrawn) {
    std::unique_ptr<QProcess> list(startScreenshot({"--list"}));
    ASSERT_TRUE(list->waitForFinished(30000));
    const QStringList names = QString::fromUtf8(list->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(names.size(), 20) << "the tool lists too few windows";

    QTemporaryDir out;
    // All at once: each run is one short process on its own database.
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const QString& name : names) runs.emplace_back(startScreenshot({name, out.filePath(name + ".png")}));
    for (size_t i = 0; i < runs.size(); ++i) {
        const QString name = names[int(i)];
        QProcess& run = *runs[i];
        ASSERT_TRUE(run.waitForFinished(30000)) << name.toStdString();
        const QString errors = QString::fromLocal8Bit(run.readAllStandardError());
        EXPECT_EQ(run.exitCode(), 0) << name.toStdString() << ": " << errors.toStdString();
        // A manager's failure message ("...出现异常！") while rendering the sample
        // restaurant is a fault; other messages belong to what the window shows.
        for (const QString& line : errors.split('\n'))
            EXPECT_FALSE((line.startsWith("message:") && line.contains(QStringLiteral("异常"))) ||
                         line.startsWith("screenshot:"))
                << name.toStdString() << ": " << line.toStdString();
        EXPECT_EQ(blankness(QImage(out.filePath(name + ".png"))), QString()) << name.toStdString();
    }
}

// The README's tour shows exactly the pictures the docs script renders, of windows the
// tool knows, with every function of the main window's tree among them.
TEST(Screenshots, TheReadmeTourShowsEveryFunctionWindowAsTheDocsScriptRendersIt) {
    auto text = [](const QString& file) {
        QFile f(sourcePath(file));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString script = text("scripts/docs-screenshots.sh");
    const QStringList rendered = QRegularExpression("windows=\\(([^)]*)\\)")
                                     .match(script)
                                     .captured(1)
                                     .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    const QString readme = text("README.md");
    QStringList shown;
    for (const auto& m : QRegularExpression("!\\[[^]]*\\]\\(docs/(\\w+)\\.png\\)").globalMatch(readme))
        shown << m.captured(1);
    EXPECT_EQ(shown, rendered);

    std::unique_ptr<QProcess> list(startScreenshot({"--list"}));
    ASSERT_TRUE(list->waitForFinished(30000));
    const QStringList known = QString::fromUtf8(list->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (const QString& window : rendered) {
        EXPECT_TRUE(known.contains(window)) << window.toStdString();
        EXPECT_TRUE(QFile::exists(sourcePath("docs/" + window + ".png"))) << window.toStdString();
    }
    for (int i = 0; i < functionCount; ++i) {
        const QString node = functionEntries()[i].text;
        EXPECT_TRUE(readme.contains("![" + node + "](docs/")) << node.toStdString() << " has no picture";
    }
}

// Pointed at a file that already holds its sample rows, the tool says so and fails
// instead of ending in an uncaught exception.
TEST(Screenshots, AFileThatHoldsTheSampleRowsIsRefusedWithAReason) {
    QTemporaryDir dir;
    const QString db = dir.filePath("db.mdb");
    ASSERT_EQ(createDatabaseFile(db, {sourcePath("db/schema.sql"), sourcePath("db/seed.sql"),
                                      sourcePath("tests/fixtures/sample.sql")}),
              QString());
    for (int run = 0; run < 2; ++run) {
        std::unique_ptr<QProcess> shot(startScreenshot({"sellReport", dir.filePath("report.png"), db}));
        ASSERT_TRUE(shot->waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(shot->readAllStandardError());
        EXPECT_EQ(shot->exitStatus(), QProcess::NormalExit) << errors.toStdString();
        EXPECT_EQ(shot->exitCode(), run) << errors.toStdString();
        EXPECT_EQ(errors.contains("screenshot: cannot render sellReport") && errors.contains("o_order.id"), run == 1)
            << errors.toStdString();
    }
}
