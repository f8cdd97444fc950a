#include "data/SysSetMgrUnit.h"
#include "support/TestDatabase.h"

using SysSetMgrTest = DbTest;

TEST_F(SysSetMgrTest, PrintersByCodeInCodeOrderAndFailuresSilent) {
    exec("insert into sys_set(id,type,code,name) values(20,'other','P001','别的'),(10,'print','P000','Z热菜')");
    EXPECT_EQ(TSysSetMgr::getPrintSet("P001")->getName(), "厨房");
    EXPECT_FALSE(TSysSetMgr::getPrintSet("P001' or '1'='1"));
    QStringList list;
    for (const TPOSysSet& s : TSysSetMgr::getSysSetList("print")) list << s.getCode() + s.getName();
    EXPECT_EQ(list, (QStringList{"P000Z热菜", "P001厨房", "P002吧台", "P003不打印"}));
    exec("alter table sys_set rename to sys_set_gone");
    EXPECT_FALSE(TSysSetMgr::getPrintSet("P003"));
    EXPECT_EQ(answers.count(), 0);
}
