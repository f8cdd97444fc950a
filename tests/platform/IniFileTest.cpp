#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/IniFileUnit.h"

TEST(IniFile, MissingFileSectionOrKeyGivesTheDefaultAndValuesReadAsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    EXPECT_TRUE(TIniFile(path).readBool("MSCOMM", "ExistModem", true));
    EXPECT_EQ(TIniFile(path).readInteger("MSCOMM", "ModemPort", 3), 3);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; modem\r\n[OTHER]\r\nModemPort=9\r\n[MSCOMM]\r\nExistModem=1\r\nModemPort=2\r\n"
               "ModemCommand=AT+VCID=1,S0=0\r\nBad=x12\r\n[B]\r\na=0\r\nb=TRUE\r\nc=false\r\n");
    file.close();
    TIniFile ini(path);
    EXPECT_TRUE(ini.readBool("MSCOMM", "ExistModem", false));
    EXPECT_EQ(ini.readInteger("MSCOMM", "ModemPort", 0), 2);
    EXPECT_EQ(ini.readString("mscomm", "modemcommand", ""), "AT+VCID=1,S0=0");  // commas are no list
    EXPECT_EQ(ini.readInteger("MSCOMM", "Bad", 5), 5);
    EXPECT_TRUE(ini.readBool("MSCOMM", "Bad", true));
    EXPECT_FALSE(ini.readBool("B", "a", true));
    EXPECT_TRUE(ini.readBool("B", "b", false));
    EXPECT_FALSE(ini.readBool("B", "c", true));
    EXPECT_EQ(ini.readInteger("NOSECTION", "ModemPort", 4), 4);
    EXPECT_EQ(ini.readString("MSCOMM", "NoKey", "def"), "def");
}
