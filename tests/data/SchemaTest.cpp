#include "data/DatabaseCtrlUnit.h"
#include "platform/Errors.h"
#include "support/TestDatabase.h"

using SchemaTest = DbTest;

TEST_F(SchemaTest, NamesCompareSortAndStayUniqueWithoutLetterCase) {
    exec("insert into table_spec(id,table_name) values(1,'VIP1'); insert into team values(20,1,'Kitchen',''),(21,1,'bar','')");
    EXPECT_EQ(scalarInt("select count(*) from table_spec where table_name='vip1'"), 1);
    EXPECT_EQ(rows("select name from team where parent_id=1 order by name"), (QStringList{"bar", "Kitchen"}));
    EXPECT_THROW({ TDatabaseCtrl c; c.setSQL("insert into table_spec(id,table_name) values(2,'vip1')"); c.execSQL(); },
                 DatabaseError);
}
