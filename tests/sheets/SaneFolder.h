#pragma once

#include "TestFolder.h"
#include "platform/ProgramFolder.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sheettest {

// A SANE configuration of the library's own test devices only (pnm:0 reads a PNM file, test:0
// simulates a scanner); the station's scans go through it from now on.
class SaneFolder {
public:
    SaneFolder() {
        dvq3test::TestFolder::Write(dir_.filePath("dll.conf"), "pnm\ntest\n");
        qputenv("SANE_CONFIG_DIR", dir_.path().toLocal8Bit());
    }
    // The page as a PNM file for pnm:0; its name.
    QString sheet(const QImage& page) const {
        const QString file = dir_.filePath("sheet.ppm");
        EXPECT_TRUE(page.convertToFormat(QImage::Format_RGB888).save(file, "PPM"));
        return file;
    }

private:
    QTemporaryDir dir_;
};

// The [Scanner] section of the station's settings file.
inline void WriteScannerIni(const QString& lines) {
    dvq3test::TestFolder::Write(dvq3::ProgramFile("dvq3test.ini"),
                                ("[Scanner]\r\n" + lines).toLocal8Bit());
}

} // namespace sheettest
