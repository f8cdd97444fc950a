#include "data/DatabaseCtrlUnit.h"
#include "platform/Errors.h"
#include "support/TestDatabase.h"

using SchemaTest = DbTest;

// Later code reads some result columns by position: the order is part of the contract.
TEST_F(SchemaTest, TablesHaveTheirColumnsInOrderAndTheSeedRows) {
    const QStringList expected{
        "sequence:name,seq_value", "employee_right:employee_id,right_number", "r_right:number,name",
        "employee:id,login_name,password,user_name,team_id,sex,id_card,birth,status_student,address,telephone,role_name,description",
        "team:id,parent_id,name,description", "sys_attrib:number,type,name", "eat:id,name,start_time,end_time",
        "sys_set:id,type,code,name,value,description",
        "guest:id,name,address,guest_type_name,id_card,telephone,create_time,associator_num,description", "guest_type:id,name",
        "table_spec:id,table_name,floor,seat,type,state,X,Y,description",
        "table_instance:id,order_id,table_id,table_name,start_time,end_time,state,reserve_table_id,description",
        "menu_type:id,name,type_code,X,Y,seq,description",
        "menu:id,menu_name,menu_type_id,price,rebate,unit,state,X,Y,seq,printer_code,description",
        "menu_instance:id,consult_id,rela_type,menu_id,menu_name,menu_type_id,menu_type_name,price,quantity,unit,state,"
        "rebate,serving,printer_code,print_state,description",
        "o_order:id,guest_id,guest_name,guest_type,guest_num,associator_num,create_time,rebate_type,rebate_value,price,"
        "price1,price2,give_change,invoice,state,operator_id,operator_name,description",
        "prick:id,operator_id,operator_name,employee_id,employee_name,toDate,create_time,m_money", "prick_order_rela:prick_id,order_id",
        "reserve:id,guest_name,telephone,guest_type,guest_num,create_time,state,description",
        "reserve_table:id,reserve_id,table_name,table_id,eat,eat_id,start_time,end_time,eat_date,state"};
    QStringList actual;
    for (const QString& line : expected) {
        QString table = line.section(':', 0, 0);
        actual << table + ":" + rows("select name from pragma_table_info('" + table + "') order by cid").join(',');
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(scalarInt("select count(*) from sqlite_master where type='table'"), 20);

    EXPECT_EQ(rows("select login_name,password,user_name,team_id from employee"), QStringList{"admin|admin|管理员|1"});
    // Issued ids start at 100; the administrator holds every right.
    EXPECT_EQ(rows("select (select count(*) from sequence where seq_value>=100), (select count(*) from r_right), (select "
                   "count(*) from employee_right er join r_right r on r.number=er.right_number where employee_id=1)"),
              QStringList{"13|12|12"});
    EXPECT_EQ(rows("select name from guest_type order by id"), (QStringList{"散客", "会员", "团体"}));
    EXPECT_EQ(rows("select code from sys_set where type='print' order by code"), (QStringList{"P001", "P002", "P003"}));
    EXPECT_EQ(rows("select type, count(*) from sys_attrib group by type order by type"), (QStringList{"DIPLOMA|6", "SEX|2"}));
}

TEST_F(SchemaTest, NamesCompareSortAndStayUniqueWithoutLetterCase) {
    exec("insert into table_spec(id,table_name) values(1,'VIP1'); insert into team values(20,1,'Kitchen',''),(21,1,'bar','')");
    EXPECT_EQ(scalarInt("select count(*) from table_spec where table_name='vip1'"), 1);
    EXPECT_EQ(rows("select name from team where parent_id=1 order by name"), (QStringList{"bar", "Kitchen"}));
    EXPECT_THROW({ TDatabaseCtrl c; c.setSQL("insert into table_spec(id,table_name) values(2,'vip1')"); c.execSQL(); },
                 DatabaseError);
}
