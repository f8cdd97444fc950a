#include <QDir>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>

#include "data/MenuInsMgrUnit.h"
#include "platform/Errors.h"
#include "platform/Printers.h"
#include "service/DishLineFixture.h"
#include "service/MenuInsPrintUnit.h"

namespace {
// Records the texts a painter draws, in order.
class TextRecorder : public QPaintDevice {
public:
    QStringList texts;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return 1300;
        case PdmHeight: return 400;
        case PdmWidthMM: return 130;
        case PdmHeightMM: return 40;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 254;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    struct Engine : QPaintEngine {
        QStringList* out;
        explicit Engine(QStringList* texts) : out(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { *out << item.text(); }
        Type type() const override { return User; }
    };
    mutable Engine engine{&texts};
};

// Reads the 13 digits back from the bars of a ticket page drawn at `dpi`: one pixel
// column per module, taken from the middle of the barcode picture's 177 x 78 pixels.
QString decodeBars(const QImage& page, int dpi) {
    static const char* const setA[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                         "0110001", "0101111", "0111011", "0110111", "0001011"};
    static const char* const parity[10] = {"000000", "001011", "001101", "001110", "010011",
                                           "011001", "011100", "010101", "010110", "011010"};
    const double px = dpi / 25.4;
    QString modules;
    for (int i = 0; i < 95; ++i) {
        const double x = (2.0 + 59.3 + (10 + i + 0.5) * 46.8 / 177) * px;
        const double y = (2.0 + 0.5 + 25.5 * 20.6 / 78) * px;
        modules += qGray(page.pixel(int(x), int(y))) < 128 ? '1' : '0';
    }
    if (modules.left(3) != "101" || modules.mid(45, 5) != "01010" || modules.right(3) != "101") return "no bars";
    auto inverted = [](QString s) { return s.replace('0', 'x').replace('1', '0').replace('x', '1'); };
    QString digits, parities;
    for (int k = 0; k < 12; ++k) {
        QString group = modules.mid(k < 6 ? 3 + 7 * k : 50 + 7 * (k - 6), 7);
        if (k >= 6) group = inverted(group);  // right half: set C is set A inverted
        int d = -1;
        for (int v = 0; v < 10 && d < 0; ++v) {
            if (group == setA[v]) d = v, parities += '0';
            // set B is set C read backwards
            else if (k < 6 && std::equal(group.rbegin(), group.rend(), inverted(setA[v]).begin())) d = v, parities += '1';
        }
        if (d < 0) return "bad group " + QString::number(k);
        digits += QString::number(d);
    }
    for (int first = 0; first < 10; ++first)
        if (parities.left(6) == parity[first]) return QString::number(first) + digits;
    return "bad parity";
}

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// In millimetres; the file gives whole points.
QSizeF pdfPageSize(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QRegularExpressionMatch m =
        QRegularExpression("/MediaBox\\s*\\[\\s*0 0 ([\\d.]+) ([\\d.]+)").match(QString::fromLatin1(f.readAll()));
    return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72;
}
}  // namespace

class MenuInsPrintTest : public DishLineTest {
protected:
    void SetUp() override {
        DishLineTest::SetUp();
        addTableIns(500, QStringLiteral("牡丹厅"));
        exec("update sys_set set value='吧台打印机' where code='P002'");
        redirectPrintingToPdf({QStringLiteral("厨房打印机"), QStringLiteral("吧台打印机")}, [this](const QString& name) {
            jobs << name;
            const QString file = QStringLiteral("%1.pdf").arg(jobs.size());
            return name == failingPrinter ? pdfDir.filePath("missing/" + file) : pdfDir.filePath(file);
        });
    }
    void TearDown() override {
        stopRedirectingPrinting();
        DishLineTest::TearDown();
    }
    QTemporaryDir pdfDir;
    QStringList jobs;  // the printer of each job, "" for the default printer
    QString failingPrinter = QStringLiteral("none");
};

TEST_F(MenuInsPrintTest, PrintsOnePageForEachDueLineOnItsPrinterAndMarksItPrinted) {
    addLine(101, 500, "MIP001/MI004/MI001");
    addLine(102, 500, "MIP002/MI004/MI001");  // printed
    addLine(103, 500, "MIP001/MI003/MI001");  // served
    addLine(104, 500, "MIP001/MI004/MI005");  // returned
    addLine(105, 500, "MIP003/MI004/MI001");  // not to print
    addLine(106, 500, "MIP001/MI004/MI002", QStringLiteral("扎啤"), "P002");  // gift, bar printer
    addLine(107, 999, "MIP001/MI004/MI001", QStringLiteral("米饭"), "P009");  // no instance, no setting
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(500);
    lines.push_back(std::make_shared<TPOMenuIns>(*TMenuInsMgr::getMenuInsById(107)));

    TmenuInsPrintForm form;
    TMenuInsList none;
    form.printMenuIns(none);
    EXPECT_TRUE(jobs.isEmpty());
    form.printMenuIns(lines);

    EXPECT_EQ(jobs, QStringList({"", QStringLiteral("吧台打印机"), ""}));
    for (int job = 1; job <= 3; ++job) {
        const QString file = pdfDir.filePath(QString("%1.pdf").arg(job));
        EXPECT_EQ(pdfPages(file), 1) << job;
        EXPECT_NEAR(pdfPageSize(file).width(), 129.4, 0.36) << job;
        EXPECT_NEAR(pdfPageSize(file).height(), 36.2, 0.36) << job;
    }
    EXPECT_EQ(rows("select id||print_state from menu_instance order by id"),
              QStringList({"101MIP002", "102MIP002", "103MIP001", "104MIP001", "105MIP003", "106MIP002", "107MIP002"}));
    EXPECT_EQ(lines[0]->getPrintState(), "MIP002");
    EXPECT_TRUE(answers.texts().isEmpty()) << answers.texts().join(' ').toStdString();

    form.printMenuIns(lines);  // nothing is due any more
    EXPECT_EQ(jobs.size(), 3);
}

TEST_F(MenuInsPrintTest, TicketThatDidNotPrintLeavesItsLineDueAndEndsTheRun) {
    addLine(101, 500, "MIP001/MI004/MI001");
    addLine(102, 500, "MIP001/MI004/MI001", QStringLiteral("扎啤"), "P002");
    addLine(103, 500, "MIP001/MI004/MI001");
    failingPrinter = QStringLiteral("吧台打印机");
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(500);

    TmenuInsPrintForm form;
    EXPECT_FALSE(runGuarded([&] { form.printMenuIns(lines); }));
    EXPECT_EQ(answers.last(), QStringLiteral("打印机(吧台打印机)无法开始打印！"));
    EXPECT_EQ(rows("select print_state from menu_instance order by id"), QStringList({"MIP002", "MIP001", "MIP001"}));
    EXPECT_EQ(lines[1]->getPrintState(), "MIP001");

    failingPrinter = QStringLiteral("none");  // the printer works again: the rest prints
    form.printMenuIns(lines);
    EXPECT_EQ(rows("select print_state from menu_instance order by id"), QStringList({"MIP002", "MIP002", "MIP002"}));
}

TEST_F(MenuInsPrintTest, EachTicketShowsItsLineAndOnlyItsOwnBars) {
    TmenuInsPrintForm form;
    TPOMenuIns line = *[&] { addLine(57, 500, "MIP001/MI004/MI001"); return TMenuInsMgr::getMenuInsById(57); }();
    TPOMenuIns other = line;
    other.setId(123456789);
    other.setMenuName(QStringLiteral("扎啤"));
    other.setQuantity(2.5);
    other.setDescription(QString());

    const int dpi = 300;
    const KitchenTicket first = form.makeTicket(QStringLiteral("牡丹厅"), line);
    const KitchenTicket second = form.makeTicket(QStringLiteral("牡丹厅"), other);
    EXPECT_EQ(decodeBars(TmenuInsPrintForm::ticketPageImage(first, dpi), dpi), "6900100000057");
    EXPECT_EQ(decodeBars(TmenuInsPrintForm::ticketPageImage(second, dpi), dpi), "6900223456789");

    TextRecorder recorder;
    QPainter painter(&recorder);
    TmenuInsPrintForm::paintTicket(painter, second);
    painter.end();
    EXPECT_EQ(recorder.texts, QStringList({"台桌名称：", "牡丹厅", "菜单名称：", "扎啤", "数量：", "3", "备注：", ""})
                                  .filter(QRegularExpression(".")));

    // Nine digits past the id range of the code: digits but no bars.
    other.setId(900000000);
    const KitchenTicket wide = form.makeTicket(QString(), other);
    EXPECT_EQ(wide.code, "69001000000000");
    EXPECT_EQ(decodeBars(TmenuInsPrintForm::ticketPageImage(wide, dpi), dpi), "no bars");
}
