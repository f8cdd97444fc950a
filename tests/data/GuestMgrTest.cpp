#include "data/GuestMgrUnit.h"
#include "support/TestDatabase.h"

using GuestMgrTest = DbTest;

namespace {
TPOGuest newGuest(const QString& telephone) {
    TPOGuest g;
    g.setName("王'先生");
    g.setGuestTypeName("会员");
    g.setTelephone(telephone);
    g.setCreateTime(encodeDateTime(2024, 5, 6, 18, 30, 15));
    g.setDescription("靠窗");
    return g;
}

const char* guestColumns = "select id,name,guest_type_name,telephone,create_time,description from guest order by id";
}  // namespace

TEST_F(GuestMgrTest, FindsAGuestByTheExactTelephoneAndSavesItBack) {
    EXPECT_EQ(TGuestMgr::insert(newGuest("13900000001")), 100);
    EXPECT_EQ(TGuestMgr::insert(newGuest("010'8888")), 101);
    // A quote in the number is part of the number, not of the statement.
    EXPECT_EQ(TGuestMgr::getGuestByTelephone("010'8888").value().getId(), 101);
    for (const char* missing : {"x' or '1'='1", " 13900000001"})
        EXPECT_FALSE(TGuestMgr::getGuestByTelephone(missing).has_value()) << missing;

    // What was read is written back as it was: only the caller's changes land.
    const QStringList before = rows(guestColumns);
    auto g = TGuestMgr::getGuestByTelephone("13900000001");
    ASSERT_TRUE(g.has_value());
    g->setName("李女士");
    EXPECT_TRUE(TGuestMgr::update(*g));
    EXPECT_EQ(rows(guestColumns), QStringList(before).replaceInStrings("100|王'先生", "100|李女士"));
    EXPECT_EQ(answers.count(), 0);
}
