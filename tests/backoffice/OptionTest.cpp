#include <QListWidget>
#include <QTimeEdit>

#include "backoffice/OptionUnit.h"
#include "data/EatMgrUnit.h"
#include "frame/FrameFixture.h"

namespace {
// Starts without meal periods, as a new database does.
class OptionTest : public FrameTest {
protected:
    QStringList fixtures() const override { return {}; }
    static void clickEntry(QListWidget* list, const QString& text) {
        auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }
    // Fills the fields (the name as typed, the times as picked) and applies.
    static void apply(ToptionForm& form, const QString& name, QTime start, QTime end) {
        form.eatName->setText(name);
        form.startTime->setTime(start);
        form.endTime->setTime(end);
        click(form.applyBtn);
    }
    static QString found(int h, int m, int s) {
        std::optional<TPOEat> eat = TEatMgr::getEatByTime(encodeTime(h, m, s));
        return eat ? eat->getName() : QString();
    }
};
}  // namespace

TEST_F(OptionTest, MealPeriodsAreAddedChangedRefusedAndDeleted) {
    setNowForTest(encodeDateTime(2024, 5, 6, 9, 15, 0));
    ToptionForm form;
    form.show();
    apply(form, "午餐", QTime(11, 0), QTime(13, 30));  // no period started: nothing to write to
    EXPECT_EQ(scalarInt("select count(*) from eat"), 0);

    click(form.addEatBtn);
    apply(form, "午餐", QTime(11, 0), QTime(13, 30));
    EXPECT_EQ(rows("select name, start_time*86400, end_time*86400 from eat"), QStringList{"午餐|39600|48600"});
    EXPECT_EQ(found(11, 0, 0), "午餐");
    EXPECT_EQ(found(13, 30, 0), "午餐");
    EXPECT_EQ(found(13, 30, 1), "");

    click(form.addEatBtn);
    apply(form, "早餐", QTime(6, 0), QTime(10, 0));
    clickEntry(form.eatList, "午餐");
    apply(form, "中餐", QTime(11, 30), QTime(13, 30));
    EXPECT_EQ(found(11, 15, 0), "");

    click(form.addEatBtn);
    apply(form, "早餐", QTime(15, 0), QTime(16, 0));
    EXPECT_EQ(answers.last(), "餐次名称可能重复!");
    EXPECT_EQ(scalarInt("select count(*) from eat"), 2);

    clickEntry(form.eatList, "中餐");
    click(form.deleteBtn);
    ASSERT_EQ(form.eatList->count(), 1);
    EXPECT_EQ(form.eatList->item(0)->text(), "早餐");
}

TEST_F(OptionTest, ARefusedSaveKeepsTheFormOnThePeriodBeingEditedSoARetryOverwritesNoOther) {
    exec("insert into eat(id,name,start_time,end_time) values(1,'凌晨',0,0.125),(2,'晚餐',0.7,0.85)");
    ToptionForm form;
    form.show();
    // A refused rename: the retry goes to the same period, not to the one shown first.
    clickEntry(form.eatList, "晚餐");
    apply(form, "凌晨", QTime(17, 0), QTime(20, 0));
    apply(form, "正餐", QTime(17, 0), QTime(20, 0));
    EXPECT_EQ(rows("select id||name from eat order by id"), (QStringList{"1凌晨", "2正餐"}));
}
