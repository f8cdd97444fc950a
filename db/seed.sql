-- Rows that every new database file starts with.
-- The program never inserts into sequence, r_right, sys_attrib, sys_set or
-- guest_type, so they must be complete here.

-- Id issuer: one row per key, or inserts of that kind get no id.
-- Starting at 100 leaves the low ids free for sample data.
INSERT INTO sequence (name, seq_value) VALUES ('team.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('employee.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('prick.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('table_instance.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('order.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('table_spec.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('eat.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('menu_type.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('menu.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('menu_instance.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('guest.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('reserve.id', 100);
INSERT INTO sequence (name, seq_value) VALUES ('reserve_table.id', 100);

-- Rights: the keys are what the main window tests, the names what people see.
INSERT INTO r_right (number, name) VALUES ('tollStation', '收银台');
INSERT INTO r_right (number, name) VALUES ('sell', '营业管理');
INSERT INTO r_right (number, name) VALUES ('celerityServing', '传菜管理');
INSERT INTO r_right (number, name) VALUES ('reserveManage', '预订管理');
INSERT INTO r_right (number, name) VALUES ('prickManage', '扎账管理');
INSERT INTO r_right (number, name) VALUES ('menuManage', '菜单维护');
INSERT INTO r_right (number, name) VALUES ('tableManage', '桌台维护');
INSERT INTO r_right (number, name) VALUES ('employeeManage', '员工管理');
INSERT INTO r_right (number, name) VALUES ('sellReport', '营业清单');
INSERT INTO r_right (number, name) VALUES ('sellStatReport', '营业额统计');
INSERT INTO r_right (number, name) VALUES ('menuInsStatReport', '营业菜单统计');
INSERT INTO r_right (number, name) VALUES ('option', '选项');

-- Attribute lists; listed in insertion order, so insert in display order.
INSERT INTO sys_attrib (number, type, name) VALUES ('S001', 'SEX', '男');
INSERT INTO sys_attrib (number, type, name) VALUES ('S002', 'SEX', '女');
INSERT INTO sys_attrib (number, type, name) VALUES ('D001', 'DIPLOMA', '初中');
INSERT INTO sys_attrib (number, type, name) VALUES ('D002', 'DIPLOMA', '高中');
INSERT INTO sys_attrib (number, type, name) VALUES ('D003', 'DIPLOMA', '中专');
INSERT INTO sys_attrib (number, type, name) VALUES ('D004', 'DIPLOMA', '大专');
INSERT INTO sys_attrib (number, type, name) VALUES ('D005', 'DIPLOMA', '本科');
INSERT INTO sys_attrib (number, type, name) VALUES ('D006', 'DIPLOMA', '硕士');

-- Guest types; the checkout gives '会员' its member-card meaning.
INSERT INTO guest_type (id, name) VALUES (1, '散客');
INSERT INTO guest_type (id, name) VALUES (2, '会员');
INSERT INTO guest_type (id, name) VALUES (3, '团体');

-- Kitchen printers. value is the printer name; empty means the system's
-- default printer, so a fresh install prints somewhere without setup.
-- P003 is the "no ticket" choice the dish dialogs expect in the list.
INSERT INTO sys_set (id, type, code, name, value, description)
    VALUES (1, 'print', 'P001', '厨房', '', '厨房打印机');
INSERT INTO sys_set (id, type, code, name, value, description)
    VALUES (2, 'print', 'P002', '吧台', '', '吧台打印机');
INSERT INTO sys_set (id, type, code, name, value, description)
    VALUES (3, 'print', 'P003', '不打印', '', '不打印厨房单');

-- Root team that every other team hangs under.
INSERT INTO team (id, parent_id, name, description)
    VALUES (1, 0, '全体员工', '');

-- The administrator, so that a new file can be logged into and staffed.
INSERT INTO employee (id, login_name, password, user_name, team_id, sex,
                      id_card, birth, status_student, address, telephone,
                      role_name, description)
    VALUES (1, 'admin', 'admin', '管理员', 1, 'S001',
            '', 0, 'D005', '', '',
            '系统管理员', '初始管理员，请及时修改密码');

INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'tollStation');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'sell');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'celerityServing');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'reserveManage');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'prickManage');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'menuManage');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'tableManage');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'employeeManage');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'sellReport');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'sellStatReport');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'menuInsStatReport');
INSERT INTO employee_right (employee_id, right_number) VALUES (1, 'option');
