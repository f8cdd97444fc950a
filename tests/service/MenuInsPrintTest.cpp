#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>

#include "data/MenuInsMgrUnit.h"
#include "platform/Errors.h"
#include "platform/Printers.h"
#include "service/DishLineFixture.h"
#include "service/MenuInsPrintUnit.h"

namespace {
// An image that records the texts painted on it, in order.
struct TextRecorder : QImage, QPaintEngine {
    QStringList texts;
    TextRecorder() : QImage(1300, 400, QImage::Format_RGB32) { setDotsPerMeterX(10000), setDotsPerMeterY(10000); }
    QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return User; }
};

// The 13 digits read back from a ticket page's bars: one pixel column per module.
QString decodeBars(const QImage& page, double pxPerMm) {
    QString bars;  // the barcode picture (177 x 78 px) lies at 61.3, 2.5 mm on the page
    for (int i = 0; i < 95; ++i)
        bars += qGray(page.pixel(int((61.3 + (10.5 + i) * 46.8 / 177) * pxPerMm), int(9.2 * pxPerMm))) < 128 ? '1' : '0';
    if (bars.left(3) != "101" || bars.mid(45, 5) != "01010" || bars.right(3) != "101") return "no bars";
    const QStringList setA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                              "0110001", "0101111", "0111011", "0110111", "0001011"};
    const QStringList parity = {"000000", "001011", "001101", "001110", "010011",
                                "011001", "011100", "010101", "010110", "011010"};
    QString digits, sets;
    for (int k = 0; k < 12; ++k) {
        QString group = bars.mid(k < 6 ? 3 + 7 * k : 50 + 7 * (k - 6), 7), inverted = group;
        for (QChar& c : inverted) c = c == '1' ? '0' : '1';
        QString reversed = inverted;  // set B is set A inverted and reversed
        std::reverse(reversed.begin(), reversed.end());
        const int a = int(setA.indexOf(k < 6 ? group : inverted));
        digits += QString::number(a >= 0 ? a : int(setA.indexOf(reversed)));
        if (k < 6) sets += a >= 0 ? '0' : '1';
    }
    return QString::number(parity.indexOf(sets)) + digits;
}

// Pages and the page size in millimetres (the file gives whole points).
std::pair<int, QSizeF> pdfPages(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QString pdf = QString::fromLatin1(f.readAll());
    auto box = QRegularExpression("/MediaBox\\s*\\[\\s*0 0 ([\\d.]+) ([\\d.]+)").match(pdf);
    return {int(pdf.count(QRegularExpression("/Type\\s*/Page[^s]"))),
            QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble()) * 25.4 / 72};
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
            if (onJob) onJob();
            return pdfDir.filePath((name == failingPrinter ? "missing/" : "") + QString("%1.pdf").arg(jobs.size()));
        }, [this](const QString& queue) {
            asked << queue;
            return queue != refusingQueue;
        });
    }
    void TearDown() override {
        stopRedirectingPrinting();
        DishLineTest::TearDown();
    }
    QTemporaryDir pdfDir;
    QStringList jobs;  // the printer of each job, "" for the default printer
    QString failingPrinter = QStringLiteral("none");
    QString refusingQueue = QStringLiteral("none");
    QStringList asked;  // the queue asked before each job
    std::function<void()> onJob;  // what happens meanwhile, when a job is made
    TmenuInsPrintForm form;
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

    TMenuInsList none;
    form.printMenuIns(none);
    EXPECT_TRUE(jobs.isEmpty());
    form.printMenuIns(lines);
    EXPECT_EQ(jobs, QStringList({"", QStringLiteral("吧台打印机"), ""}));
    for (int job = 1; job <= 3; ++job) {
        auto [pages, size] = pdfPages(pdfDir.filePath(QString("%1.pdf").arg(job)));
        EXPECT_EQ(pages, 1);
        EXPECT_NEAR(size.width(), 129.4, 0.36);
        EXPECT_NEAR(size.height(), 36.2, 0.36);
    }
    EXPECT_EQ(rows("select id||print_state from menu_instance order by id"),
              QStringList({"101MIP002", "102MIP002", "103MIP001", "104MIP001", "105MIP003", "106MIP002", "107MIP002"}));
    EXPECT_EQ(lines[0]->getPrintState(), "MIP002");
    EXPECT_EQ(answers.count(), 0);
    form.printMenuIns(lines);  // the lines handed in are marked too: nothing is due any more
    EXPECT_EQ(jobs.size(), 3);
    EXPECT_EQ(asked, jobs);

    // A ticket that could not be printed ends the run with one message: the lines
    // before it stay printed, its line and the ones after it stay due. A queue that
    // refuses jobs is found out before its page is painted, so it gets no page.
    addLine(108, 500, "MIP001/MI004/MI001");  // after the bar line, on the default printer
    for (bool refusing : {true, false}) {
        exec("update menu_instance set print_state='MIP001' where id in(101,106)");
        refusingQueue = refusing ? QStringLiteral("吧台打印机") : "none";
        failingPrinter = refusing ? "none" : QStringLiteral("吧台打印机");
        jobs.clear(), asked.clear(), answers.clear();
        QFile::remove(pdfDir.filePath("2.pdf"));  // the bar line's job number in this run
        lines = TMenuInsMgr::getTableInsMenuIns(500);
        EXPECT_FALSE(runGuarded([&] { form.printMenuIns(lines); }));
        EXPECT_EQ(answers.texts(), QStringList({QStringLiteral("打印机(吧台打印机)无法开始打印！")}));
        EXPECT_EQ(asked, QStringList({"", QStringLiteral("吧台打印机")}));
        EXPECT_EQ(jobs, asked);
        EXPECT_FALSE(QFile::exists(pdfDir.filePath("2.pdf")));
        EXPECT_EQ(rows("select id||print_state from menu_instance where id in(101,102,105,106,108) order by id"),
                  QStringList({"101MIP002", "102MIP002", "105MIP003", "106MIP001", "108MIP001"}));
        EXPECT_EQ(lines[5]->getPrintState(), "MIP001");
        EXPECT_EQ(lines[6]->getPrintState(), "MIP001");
    }
}

TEST_F(MenuInsPrintTest, EachTicketShowsItsLineAndOnlyItsOwnBars) {
    addLine(57, 500, "MIP001/MI004/MI001");
    TPOMenuIns line = *TMenuInsMgr::getMenuInsById(57), other = line;
    other.setId(123456789);
    other.setMenuName(QStringLiteral("扎啤"));
    other.setQuantity(2.5);
    other.setDescription(QString());

    const KitchenTicket first = form.makeTicket(QStringLiteral("牡丹厅"), line);
    const KitchenTicket second = form.makeTicket(QStringLiteral("芙蓉厅"), other);
    EXPECT_EQ(decodeBars(TmenuInsPrintForm::ticketPageImage(first, 254), 10), "6900100000057");
    EXPECT_EQ(decodeBars(TmenuInsPrintForm::ticketPageImage(second, 254), 10), "6900223456789");
    TextRecorder recorder;
    QPainter painter(&recorder);
    TmenuInsPrintForm::paintTicket(painter, second);
    painter.end();
    EXPECT_EQ(recorder.texts, QStringList({"台桌名称：", "芙蓉厅", "菜单名称：", "扎啤", "数量：", "3", "备注："}));

    other.setId(900000000);  // past the 13 digits: no bars
    EXPECT_EQ(decodeBars(TmenuInsPrintForm::ticketPageImage(form.makeTicket(QString(), other), 254), 10), "no bars");
}

TEST_F(MenuInsPrintTest, EachTicketGoesToThePrinterItsSettingNamesReadWhenItPrints) {
    exec("update sys_set set value='厨房打印机' where code='P001'");
    exec("insert into sys_set(id,type,code,name,value) values(9,'print','P004','后厨','后厨打印机')");
    for (int id : {101, 103}) addLine(id, 500, "MIP001/MI004/MI001");
    for (int id : {102, 104}) addLine(id, 500, "MIP001/MI004/MI001", QStringLiteral("扎啤"), "P002");
    // A queue added in the middle of the run, sorted before the others, moves no ticket.
    onJob = [this] {
        if (jobs.size() == 1) setRedirectedPrinterNames(QStringList{"新打印机", "厨房打印机", "吧台打印机"});
    };
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(500);
    form.printMenuIns(lines);
    EXPECT_EQ(jobs, QStringList({"厨房打印机", "吧台打印机", "厨房打印机", "吧台打印机"}));
    EXPECT_TRUE(answers.texts().isEmpty());

    // A list that cannot be read (the service does not answer) prints on no printer
    // at all, not on the default one: the run stops there and its lines stay due.
    // Here the service stops answering after the first ticket.
    exec("update menu_instance set print_state='MIP001'");
    jobs.clear();
    setRedirectedPrinterNames(QStringList{"厨房打印机", "吧台打印机"});
    onJob = [] { setRedirectedPrinterNames(std::nullopt); };
    lines = TMenuInsMgr::getTableInsMenuIns(500);
    EXPECT_FALSE(runGuarded([&] { form.printMenuIns(lines); }));
    EXPECT_EQ(jobs, QStringList({"厨房打印机"}));
    EXPECT_EQ(answers.texts(), QStringList({"打印机(吧台打印机)无法开始打印！"}));
    EXPECT_EQ(rows("select print_state from menu_instance order by id"),
              QStringList({"MIP002", "MIP001", "MIP001", "MIP001"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // The message names the printer of the setting, also one that is not installed
    // and falls back to the default; the default only where no setting names one.
    exec("delete from menu_instance where id<>102");
    addLine(105, 500, "MIP001/MI004/MI001", QStringLiteral("米饭"), "P004");
    addLine(106, 500, "MIP001/MI004/MI001", QStringLiteral("米饭"), "P009");
    answers.clear();
    for (const char* unreadableAt : {"105", "106"}) {
        exec(QString("update menu_instance set print_state=case when id<%1 then 'MIP002' else 'MIP001' end")
                 .arg(unreadableAt));
        lines = TMenuInsMgr::getTableInsMenuIns(500);
        EXPECT_FALSE(runGuarded([&] { form.printMenuIns(lines); }));
    }
    EXPECT_EQ(answers.texts(), QStringList({"打印机(后厨打印机)无法开始打印！", "打印机(默认打印机)无法开始打印！"}));
    onJob = nullptr;
    setRedirectedPrinterNames(QStringList{"厨房打印机"});
    refusingQueue = "";  // the default printer
    asked.clear(), answers.clear();
    exec("update menu_instance set print_state='MIP001' where id=105");
    lines = TMenuInsMgr::getTableInsMenuIns(500);
    EXPECT_FALSE(runGuarded([&] { form.printMenuIns(lines); }));
    EXPECT_EQ(asked, QStringList({""}));
    EXPECT_EQ(answers.texts(), QStringList({"打印机(后厨打印机)无法开始打印！"}));
}

TEST_F(MenuInsPrintTest, AMarkThatIsNotStoredStopsTheRunWithItsLineStillDue) {
    for (int id : {101, 102, 103}) addLine(id, 500, "MIP001/MI004/MI001");
    QList<Qt::CursorShape> cursors;  // the cursor while each ticket prints
    onJob = [this, &cursors] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursors << (cursor ? cursor->shape() : Qt::ArrowCursor);
        // Another station prints and marks the line meanwhile.
        if (jobs.size() == 4) exec("update menu_instance set print_state='MIP002' where id=103");
    };
    exec("create trigger refuse before update on menu_instance when new.id=102 begin select raise(abort,'x'); end");
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(500);
    form.printMenuIns(lines);
    EXPECT_EQ(jobs.size(), 2);  // the ticket went out, its mark did not
    EXPECT_EQ(answers.texts(), QStringList({"修改菜单实例时出现异常!"}));
    EXPECT_EQ(rows("select print_state from menu_instance order by id"), QStringList({"MIP002", "MIP001", "MIP001"}));
    EXPECT_EQ(lines[1]->getPrintState(), "MIP001");
    EXPECT_EQ(cursors, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // The next run prints the due lines; a line found already marked stops it too.
    exec("drop trigger refuse");
    answers.clear();
    form.printMenuIns(lines);
    EXPECT_EQ(jobs.size(), 4);
    EXPECT_EQ(answers.texts(), QStringList({TMenuInsMgr::changedMessage}));
    EXPECT_EQ(rows("select print_state from menu_instance order by id"), QStringList({"MIP002", "MIP002", "MIP002"}));
    EXPECT_EQ(lines[2]->getPrintState(), "MIP001");
}
