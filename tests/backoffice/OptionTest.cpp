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
    static QStringList entries(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
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
    EXPECT_EQ(form.eatList->count(), 0);
    EXPECT_TRUE(form.eatName->text().isEmpty());
    apply(form, "午餐", QTime(11, 0), QTime(13, 30));  // no period started: nothing to write to
    EXPECT_EQ(scalarInt("select count(*) from eat"), 0);

    click(form.addEatBtn);
    EXPECT_EQ(form.startTime->time(), QTime(9, 15));
    click(form.deleteBtn);  // not saved yet: nothing asked
    EXPECT_EQ(answers.count(), 0);
    apply(form, "  ", QTime(11, 0), QTime(13, 30));
    EXPECT_EQ(answers.last(), "名称不能为空!");
    apply(form, "午餐", QTime(11, 0), QTime(13, 30));
    EXPECT_EQ(rows("select name, start_time*86400, end_time*86400 from eat"), QStringList{"午餐|39600|48600"});
    EXPECT_EQ(found(11, 0, 0), "午餐");
    EXPECT_EQ(found(13, 30, 0), "午餐");
    EXPECT_EQ(found(13, 30, 1), "");

    click(form.addEatBtn);
    apply(form, "早餐", QTime(6, 0), QTime(10, 0));
    EXPECT_EQ(entries(form.eatList), QStringList({"早餐", "午餐"}));
    click(form.addEatBtn);
    apply(form, "夜宵", QTime(22, 0), QTime(2, 0));  // across midnight: stored as given
    EXPECT_EQ(scalar("select end_time*86400 from eat where name='夜宵'"), "7200");
    EXPECT_EQ(found(23, 0, 0), "");

    clickEntry(form.eatList, "午餐");
    EXPECT_EQ(form.endTime->time(), QTime(13, 30));
    apply(form, "中餐", QTime(11, 30), QTime(13, 30));
    EXPECT_EQ(form.eatName->text(), "早餐");  // the first of the list is shown after saving
    EXPECT_EQ(found(11, 15, 0), "");
    EXPECT_EQ(found(11, 30, 0), "中餐");

    click(form.addEatBtn);
    apply(form, "早餐", QTime(15, 0), QTime(16, 0));
    EXPECT_EQ(answers.last(), "餐次名称可能重复!");
    EXPECT_EQ(scalarInt("select count(*) from eat"), 3);
    clickEntry(form.eatList, "中餐");
    apply(form, "早餐", QTime(11, 30), QTime(13, 30));
    EXPECT_EQ(answers.last(), "餐次名称可能重复!");
    EXPECT_EQ(scalar("select count(*) from eat where name='中餐'"), "1");

    answers.clear();
    clickEntry(form.eatList, "中餐");
    answers.push(AnsNo);
    click(form.deleteBtn);
    EXPECT_EQ(scalarInt("select count(*) from eat"), 3);
    click(form.deleteBtn);
    EXPECT_EQ(answers.texts(), QStringList({"是否真的要删除?", "是否真的要删除?"}));
    EXPECT_EQ(entries(form.eatList), QStringList({"早餐", "夜宵"}));
}

TEST_F(OptionTest, ARefusedSaveKeepsTheFormOnThePeriodBeingEditedSoARetryOverwritesNoOther) {
    exec("insert into eat(id,name,start_time,end_time) values(1,'凌晨',0,0.125),(2,'晚餐',0.7,0.85)");
    ToptionForm form;
    form.show();
    click(form.addEatBtn);
    apply(form, "晚餐", QTime(15, 0), QTime(16, 0));
    EXPECT_EQ(answers.last(), "餐次名称可能重复!");
    EXPECT_EQ(form.eatName->text(), "晚餐");  // still the new period, as typed
    EXPECT_EQ(form.startTime->time(), QTime(15, 0));
    apply(form, "下午茶", QTime(15, 0), QTime(16, 0));
    EXPECT_EQ(rows("select name||cast(round(start_time*24) as int) from eat order by id"),
              (QStringList{"凌晨0", "晚餐17", "下午茶15"}));

    // A refused rename: the retry goes to the same period, not to the one shown first.
    clickEntry(form.eatList, "晚餐");
    apply(form, "凌晨", QTime(17, 0), QTime(20, 0));
    EXPECT_EQ(answers.last(), "餐次名称可能重复!");
    EXPECT_EQ(form.eatName->text(), "凌晨");
    EXPECT_EQ(form.eatList->currentItem()->text(), "晚餐");
    apply(form, "正餐", QTime(17, 0), QTime(20, 0));
    EXPECT_EQ(rows("select id||name from eat order by id"), (QStringList{"1凌晨", "2正餐", "101下午茶"}));
}
