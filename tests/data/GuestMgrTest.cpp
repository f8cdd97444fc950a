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

TEST_F(GuestMgrTest, FindsAGuestByTheExactTelephoneAndSavesItBack) {
    EXPECT_EQ(TGuestMgr::insert(newGuest("13900000001")), 100);
    EXPECT_EQ(TGuestMgr::insert(newGuest("010'8888")), 101);
    const QString other = "101|王'先生|长江路9号|会员|110101197001010055|010'8888|VIP-007|靠窗";
    EXPECT_EQ(rows(guestColumns),
              (QStringList{"100|王'先生|长江路9号|会员|110101197001010055|13900000001|VIP-007|靠窗", other}));
    // A quote in the number is part of the number, not of the statement.
    EXPECT_EQ(TGuestMgr::getGuestByTelephone("010'8888").value().getId(), 101);
    for (const char* missing : {"x' or '1'='1", "13900000002", " 13900000001"})
        EXPECT_FALSE(TGuestMgr::getGuestByTelephone(missing).has_value()) << missing;

    // What was read is written back as it was: only the caller's changes land.
    auto g = TGuestMgr::getGuestByTelephone("13900000001");
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->getCreateTime(), encodeDateTime(2024, 5, 6, 18, 30, 15));
    g->setName("李女士");
    g->setCreateTime(encodeDateTime(2024, 7, 1, 12, 0, 5));
    EXPECT_TRUE(TGuestMgr::update(*g));
    EXPECT_EQ(rows(guestColumns),
              (QStringList{"100|李女士|长江路9号|会员|110101197001010055|13900000001|VIP-007|靠窗", other}));
    EXPECT_EQ(TGuestMgr::getGuestByTelephone("13900000001")->getCreateTime(), encodeDateTime(2024, 7, 1, 12, 0, 5));
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(GuestMgrTest, FailuresWriteNothingAndShowTheirMessage) {
    TGuestMgr::insert(newGuest("13900000001"));
    const QStringList before = rows(guestColumns);
    TPOGuest g = TGuestMgr::getGuestByTelephone("13900000001").value();
    g.setName("改不了");
    failOn("update", "guest");
    failOn("insert", "guest");
    EXPECT_FALSE(TGuestMgr::update(g));
    EXPECT_EQ(TGuestMgr::insert(newGuest("13900000002")), 0);
    exec("delete from sequence where name='guest.id'");
    EXPECT_EQ(TGuestMgr::insert(newGuest("13900000002")), 0);  // no id: not even tried
    EXPECT_EQ(rows(guestColumns), before);
    exec("drop table guest");
    EXPECT_FALSE(TGuestMgr::getGuestByTelephone("13900000001").has_value());
    EXPECT_EQ(answers.texts(), (QStringList{"TGuestMgr.update更新客户出现异常！", "TGuestMgr.insert保存客户出现异常！",
                                            "没有找到(guest.id)！", "通过电话号码查客户出现异常！"}));
}

TEST_F(GuestMgrTest, GuestTypeNamesComeInIdOrder) {
    exec("insert into guest_type(id,name) values(0,'临时')");
    EXPECT_EQ(TGuestTypeMgr::getGuestTypeNames(), (QStringList{"临时", "散客", "会员", "团体"}));
    EXPECT_EQ(answers.count(), 0);
    exec("drop table guest_type");
    EXPECT_TRUE(TGuestTypeMgr::getGuestTypeNames().isEmpty());
    EXPECT_EQ(answers.texts(), QStringList{"得到客户类型是出现异常!"});
}
