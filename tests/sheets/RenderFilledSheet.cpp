// For the end-to-end scan: writes the filled sheet as the PNM file SANE's pnm device reads, and
// the client record it must become once reviewed with a date of birth and licence of "N".
// usage: render_filled_sheet SHEET.ppm RECORD_FILE NAME MM/DD/YYYY
#include "FilledSheet.h"

#include <QFile>
#include <QGuiApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts for the sheet's captions
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 64;
    if (!sheettest::FilledPage().convertToFormat(QImage::Format_RGB888).save(args[1], "PPM"))
        return 1;
    dvq3::ClientRecord record = sheettest::FilledClient(args[3]);
    record.set(&dvq3::ClientRecord::DOB, "N");
    record.set(&dvq3::ClientRecord::DL, "N___-___-__-___-_");
    record.set(&dvq3::ClientRecord::RecordDate, args[4]);
    QFile out(args[2]);
    return out.open(QIODevice::WriteOnly) && out.write(record.toBytes()) == 176 ? 0 : 1;
}
