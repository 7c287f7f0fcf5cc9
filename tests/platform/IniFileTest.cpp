#include "platform/IniFile.h"
#include "TestFolder.h"
#include "platform/DriveFile.h"
#include "platform/IniPaths.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

// Sections and keys are found in any letter case, values trimmed, a key only in its own section.
// A new key goes after the last key of its section, before the blank lines and comments that
// follow it; a new section goes at the end; everything else stays.
TEST(IniFile, ReadsCaseInsensitivelyAndWritesInPlaceKeepingEverythingElse) {
    IniFile ini =
        IniFile::Parse("; keep me\r\n[path]\r\n  filepath =  f:  \nSndPath=c:\\snd\n\n; next\n"
                       "[Custom]\nColour=blue\n[Other]\nDrive1=x\n");
    EXPECT_EQ(ini.value("Path", "FilePath", "a:"), QStringLiteral("f:"));
    EXPECT_EQ(ini.value("Path", "Drive1", "c:"), QStringLiteral("c:"));
    EXPECT_EQ(ini.value("Missing", "FilePath", "a:"), QStringLiteral("a:"));
    ini.setValue("Path", "FilePath", "/media/usb");
    ini.setValue("Path", "Drive1", "b:");
    ini.setValue("Custom", "Size", "3");
    ini.setValue("Options", "SystemDB", "/opt/dvq3/kpxltd.mda");
    EXPECT_EQ(ini.toBytes(),
              QByteArray("; keep me\r\n[path]\r\nFilePath=/media/usb\r\nSndPath=c:\\snd\r\n"
                         "Drive1=b:\r\n\r\n; next\r\n[Custom]\r\nColour=blue\r\nSize=3\r\n"
                         "[Other]\r\nDrive1=x\r\n[Options]\r\nSystemDB=/opt/dvq3/kpxltd.mda\r\n"));
}

// Defaults without a file; a long path read and written back stays whole, comments stay.
TEST(IniPaths, DefaultsAndRoundTripsKeepingTheRestOfTheFile) {
    TestFolder folder;
    const QString ini = folder.path("dvq3test.ini");
    EXPECT_EQ(std::pair(GetINIFilePath(), GetINISndPath()),
              std::pair(QString("a:"), QString("c:")));
    ASSERT_TRUE(WriteINISystemDB());
    EXPECT_EQ(TestFolder::Read(ini),
              "[Options]\r\nSystemDB=" + folder.path("kpxltd.mda").toLocal8Bit() + "\r\n");
    TestFolder::Write(ini, "[Path]\r\nSndPath= " + QByteArray(48, 'x') + " yz \r\n; comment\r\n");
    EXPECT_EQ(GetINISndPath(), QString(48, u'x') + " yz");
    ASSERT_TRUE(WriteINIFilePath("/media/DVQ"));
    EXPECT_EQ(GetINIFilePath(), QStringLiteral("/media/DVQ"));
    EXPECT_TRUE(TestFolder::Read(ini).contains("; comment\r\n"));
    ASSERT_TRUE(WriteINIFilePath(QString(60, u'p')));
    EXPECT_EQ(GetINIFilePath(), QString(60, u'p'));
}

// Paths in the settings are the file system's bytes: a drive folder named in UTF-8 (four-byte
// sequences too) or in bytes that are not UTF-8 at all (an encoded surrogate among them) is found
// and written back unchanged, while the rest of the file stays Windows-1252. "dà" ends in the
// byte 0xA0, a no-break space in Windows-1252.
TEST(IniPaths, DrivePathsRoundTripAsTheFileSystemsBytes) {
    TestFolder folder;
    const QString ini = folder.path("dvq3test.ini");
    for (const QByteArray name :
         {"dr\xc3\xa9", "\xd0\x94\xd0\xb8\xd1\x81\xd0\xba", "\xe7\xa3\x81\xe7\x9b\x98", "d\xc3\xa0",
          "raw\xff\xe9", "\xff\xfe-\x80", "a\xed\xa0\x80z", "\xf0\x9f\x98\x80"}) {
        SCOPED_TRACE(name.toHex().toStdString());
        const QByteArray native = NativePath(folder.drive()) + '/' + name;
        ASSERT_EQ(::mkdir(native.constData(), 0700), 0);
        ASSERT_TRUE(WriteDriveFile(PathFromNative(native) + "/TID", "DVQ3\r\n"));
        const QByteArray bytes = "; Kund\xe9n\r\n[Path]\r\nFilePath= " + native +
                                 " \r\n[RecentDrives]\r\nDrive1=" + native + "\r\n";
        TestFolder::Write(ini, bytes);
        const QString drive = GetINIFilePath();
        EXPECT_EQ(GetINIRecentDrives(), QStringList{drive});
        EXPECT_TRUE(DriveFileExists(drive + "/TID").value()) << drive.toStdString();
        ASSERT_TRUE(WriteINIFilePath("/media/usb"));
        ASSERT_TRUE(WriteINIFilePath(drive));
        ASSERT_TRUE(AddINIRecentDrive(drive));
        EXPECT_EQ(TestFolder::Read(ini), "; Kund\xe9n\r\n[Path]\r\nFilePath=" + native +
                                             "\r\n[RecentDrives]\r\nDrive1=" + native + "\r\n");
    }
    EXPECT_EQ(PathFromNative("caf\xc3\xa9"), QStringLiteral("café"));
}
