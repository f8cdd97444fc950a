#include "data/SysSetMgrUnit.h"
#include "support/TestDatabase.h"

using SysSetMgrTest = DbTest;

TEST_F(SysSetMgrTest, PrintersByCodeInCodeOrderAndFailuresSilent) {
    EXPECT_EQ(TSysSetMgr::getPrintSet("P003").value().getName(), "不打印");
    exec("update sys_set set value='Kitchen HP' where code='P001'");
    exec("insert into sys_set(id,type,code,name) values(20,'other','P001','别的'),(10,'print','P000','Z热菜'),"
         "(4,'print','P010','A冷菜')");
    EXPECT_EQ(TSysSetMgr::getPrintSet("P001")->getName(), "厨房");
    EXPECT_EQ(TSysSetMgr::getPrintSet("P001")->getValue(), "Kitchen HP");
    EXPECT_EQ(TSysSetMgr::getSysSet("other", "P001")->getName(), "别的");
    for (const char* missing : {"P009", "", "P001' or '1'='1"}) EXPECT_FALSE(TSysSetMgr::getPrintSet(missing)) << missing;
    QStringList list;
    for (const TPOSysSet& s : TSysSetMgr::getSysSetList("print")) list << s.getCode() + s.getName();
    EXPECT_EQ(list, (QStringList{"P000Z热菜", "P001厨房", "P002吧台", "P003不打印", "P010A冷菜"}));

    exec("alter table sys_set rename to sys_set_gone");
    EXPECT_FALSE(TSysSetMgr::getPrintSet("P003"));
    EXPECT_TRUE(TSysSetMgr::getSysSetList("print").empty());
    EXPECT_EQ(answers.count(), 0);
}
