#include "DumpCommand.h"

#include "platform/DriveFile.h"
#include "records/ClientData.h"

#include <QStringList>

namespace dvq3tool {
namespace {

QString CsvField(QString text) {
    while (text.endsWith(u' '))
        text.chop(1);
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = text.startsWith(u' ');
    for (QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    return u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString MessageText(QString message) {
    return message.replace(u'\r', u'\n');
}

} // namespace

int Dump(const QString& drive, QTextStream& out, QTextStream& err) {
    dvq3::SetDataDrive(drive);
    auto exists = dvq3::DriveFileExists(dvq3::ClientFile);
    if (exists && !exists.value()) {
        err << "No test information found on drive " << drive.toUpper() << ".\n";
        return 2;
    }
    auto bytes =
        exists ? dvq3::ReadDriveFile(dvq3::ClientFile) : dvq3::Result<QByteArray>(exists.error());
    if (!bytes) {
        err << bytes.error().text() << '\n';
        return 2;
    }
    const dvq3::ClientFileContents contents = dvq3::ParseClientFile(bytes.value());
    if (contents.check.problem == dvq3::ClientFileProblem::TooManyRecords) {
        err << MessageText(contents.check.message) << '\n';
        return 2;
    }
    QStringList header;
    for (const auto& field : dvq3::kClientFields)
        header << QString::fromLatin1(field.name);
    out << header.join(u',') << '\n';
    for (const dvq3::ClientRecord& record : contents.records) {
        QStringList row;
        for (const auto& field : dvq3::kClientFields)
            row << CsvField(record.*field.member);
        out << row.join(u',') << '\n';
    }
    out.flush();
    if (contents.check.problem != dvq3::ClientFileProblem::None) {
        err << MessageText(contents.check.message) << '\n';
        return 2;
    }
    return 0;
}

} // namespace dvq3tool
