#include "data/GuestMgrUnit.h"
#include "data/GuestTypeMgrUnit.h"
#include "support/TestDatabase.h"

using GuestMgrTest = DbTest;

namespace {
TPOGuest newGuest(const QString& telephone) {
    TPOGuest g;
    g.setName("王'先生");
    g.setAddress("长江路9号");
    g.setGuestTypeName("会员");
    g.setIdCard("110101197001010055");
    g.setTelephone(telephone);
    g.setCreateTime(encodeDateTime(2024, 5, 6, 18, 30, 15));
    g.setAssociatorNum("VIP-007");
    g.setDescription("靠窗");
    return g;
}

const char* guestColumns =
    "select id,name,address,guest_type_name,id_card,telephone,associator_num,description from guest order by id";
}  // namespace

TEST_F(GuestMgrTest, FindsAGuestByTelephoneOnlyForTheExactNumber) {
    TPOGuest g = newGuest("13900000001");
    EXPECT_EQ(TGuestMgr::insert(g), 100);
    EXPECT_EQ(g.getId(), 0);
    EXPECT_EQ(TGuestMgr::insert(newGuest("010'8888")), 101);

    auto found = TGuestMgr::getGuestByTelephone("13900000001");
    ASSERT_TRUE(found.has_value());
    QStringList fields{QString::number(found->getId()), found->getName(), found->getAddress(),
                       found->getGuestTypeName(), found->getIdCard(), found->getTelephone(),
                       found->getAssociatorNum(), found->getDescription()};
    EXPECT_EQ(fields.join('|'), "100|王'先生|长江路9号|会员|110101197001010055|13900000001|VIP-007|靠窗");
    EXPECT_EQ(found->getCreateTime(), encodeDateTime(2024, 5, 6, 18, 30, 15));

    // A quote in the number is part of the number, not of the statement.
    auto quoted = TGuestMgr::getGuestByTelephone("010'8888");
    ASSERT_TRUE(quoted.has_value());
    EXPECT_EQ(quoted->getId(), 101);
    EXPECT_FALSE(TGuestMgr::getGuestByTelephone("x' or '1'='1").has_value());
    EXPECT_FALSE(TGuestMgr::getGuestByTelephone("13900000002").has_value());
    EXPECT_FALSE(TGuestMgr::getGuestByTelephone(" 13900000001").has_value());  // not trimmed
    EXPECT_EQ(answers.count(), 0);

    exec("drop table guest");
    EXPECT_FALSE(TGuestMgr::getGuestByTelephone("13900000001").has_value());
    EXPECT_EQ(answers.texts(), QStringList{"通过电话号码查客户出现异常！"});
}

TEST_F(GuestMgrTest, UpdateRewritesTheRowAndKeepsWhatTheCallerDidNotChange) {
    TGuestMgr::insert(newGuest("13900000001"));
    TGuestMgr::insert(newGuest("13900000009"));
    QStringList before = rows(guestColumns);

    auto g = TGuestMgr::getGuestByTelephone("13900000001");
    ASSERT_TRUE(g.has_value());
    g->setName("李女士");
    g->setCreateTime(encodeDateTime(2024, 7, 1, 12, 0, 5));
    EXPECT_TRUE(TGuestMgr::update(*g));
    EXPECT_EQ(rows(guestColumns),
              (QStringList{"100|李女士|长江路9号|会员|110101197001010055|13900000001|VIP-007|靠窗", before[1]}));
    EXPECT_EQ(TGuestMgr::getGuestByTelephone("13900000001")->getCreateTime(), encodeDateTime(2024, 7, 1, 12, 0, 5));

    // No row under the id: nothing changes, and that is no failure.
    TPOGuest stray = newGuest("13900000001");
    stray.setId(555);
    EXPECT_TRUE(TGuestMgr::update(stray));
    EXPECT_EQ(scalarInt("select count(*) from guest"), 2);
    EXPECT_EQ(answers.count(), 0);

    before = rows(guestColumns);
    failOn("update", "guest");
    g->setName("改不了");
    EXPECT_FALSE(TGuestMgr::update(*g));
    EXPECT_EQ(answers.texts(), QStringList{"TGuestMgr.update更新客户出现异常！"});
    EXPECT_EQ(rows(guestColumns), before);
}

TEST_F(GuestMgrTest, FailedInsertWritesNothingAndUsesTheIdUp) {
    failOn("insert", "guest");
    EXPECT_EQ(TGuestMgr::insert(newGuest("13900000001")), 0);
    EXPECT_EQ(answers.texts(), QStringList{"TGuestMgr.insert保存客户出现异常！"});
    EXPECT_EQ(scalarInt("select seq_value from sequence where name='guest.id'"), 101);

    answers.clear();
    exec("delete from sequence where name='guest.id'");
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    EXPECT_EQ(TGuestMgr::insert(newGuest("13900000001")), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(guest.id)！"});
    EXPECT_EQ(scalarInt("select count(*) from guest"), 0);
}

TEST_F(GuestMgrTest, GuestTypeNamesComeInIdOrder) {
    exec("insert into guest_type(id,name) values(0,'临时')");
    EXPECT_EQ(TGuestTypeMgr::getGuestTypeNames(), (QStringList{"临时", "散客", "会员", "团体"}));
    exec("delete from guest_type");
    EXPECT_TRUE(TGuestTypeMgr::getGuestTypeNames().isEmpty());
    EXPECT_EQ(answers.count(), 0);
    exec("drop table guest_type");
    EXPECT_TRUE(TGuestTypeMgr::getGuestTypeNames().isEmpty());
    EXPECT_EQ(answers.texts(), QStringList{"得到客户类型是出现异常!"});
}
