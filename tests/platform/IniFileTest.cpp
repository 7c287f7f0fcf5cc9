#include "platform/IniFile.h"
#include "TestFolder.h"
#include "platform/IniPaths.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

TEST(IniFile, ReadsCaseInsensitivelyAndTrims) {
    const IniFile ini = IniFile::Parse("; station settings\r\n[path]\r\n  filepath =  f:  \r\n"
                                       "[Other]\nFilePath=x\n");
    EXPECT_EQ(ini.value("Path", "FilePath", "a:"), QStringLiteral("f:"));
    EXPECT_EQ(ini.value("Path", "SndPath", "c:"), QStringLiteral("c:"));
    EXPECT_EQ(ini.value("Missing", "FilePath", "a:"), QStringLiteral("a:"));
}

TEST(IniFile, WritesInPlaceKeepingEverythingElse) {
    IniFile ini = IniFile::Parse("; keep me\n[Path]\nFilePath=a:\nSndPath=c:\\snd\n\n"
                                 "[Custom]\nColour=blue\n");
    ini.setValue("Path", "FilePath", "/media/usb");
    ini.setValue("Custom", "Size", "3");
    ini.setValue("Options", "SystemDB", "/opt/dvq3/kpxltd.mda");
    EXPECT_EQ(ini.toBytes(),
              QByteArray("; keep me\r\n[Path]\r\nFilePath=/media/usb\r\n"
                         "SndPath=c:\\snd\r\n\r\n[Custom]\r\nColour=blue\r\n"
                         "Size=3\r\n[Options]\r\nSystemDB=/opt/dvq3/kpxltd.mda\r\n"));
}

TEST(IniFile, NewKeyGoesAfterTheLastKeyOfItsSection) {
    IniFile ini = IniFile::Parse("[Path]\nSndPath=c:\n\n; next\n[Options]\nX=1\n");
    ini.setValue("Path", "FilePath", "b:");
    EXPECT_EQ(
        ini.toBytes(),
        QByteArray("[Path]\r\nSndPath=c:\r\nFilePath=b:\r\n\r\n; next\r\n[Options]\r\nX=1\r\n"));
}

TEST(IniPaths, DefaultsWithoutAFileAndSystemDbCreatesIt) {
    TestFolder folder;
    EXPECT_EQ(GetINIFilePath(), QStringLiteral("a:"));
    EXPECT_EQ(GetINISndPath(), QStringLiteral("c:"));
    ASSERT_TRUE(WriteINISystemDB());
    EXPECT_EQ(TestFolder::Read(folder.path("dvq3test.ini")),
              "[Options]\r\nSystemDB=" + folder.path("kpxltd.mda").toLocal8Bit() + "\r\n");
}

TEST(IniPaths, FilePathRoundTripsAndLongPathsStayWhole) {
    TestFolder folder;
    TestFolder::Write(folder.path("dvq3test.ini"),
                      "[Path]\r\nSndPath= " + QByteArray(48, 'x') + " yz \r\n; comment\r\n");
    EXPECT_EQ(GetINISndPath(), QString(48, u'x') + " yz");
    ASSERT_TRUE(WriteINIFilePath("/media/DVQ"));
    EXPECT_EQ(GetINIFilePath(), QStringLiteral("/media/DVQ"));
    EXPECT_TRUE(TestFolder::Read(folder.path("dvq3test.ini")).contains("; comment\r\n"));
    ASSERT_TRUE(WriteINIFilePath(QString(60, u'p')));
    EXPECT_EQ(GetINIFilePath(), QString(60, u'p'));
}
