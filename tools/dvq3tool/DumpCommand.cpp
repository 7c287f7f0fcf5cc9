#include "DumpCommand.h"

#include "CommandLine.h"
#include "DriveLoad.h"

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

} // namespace

int Dump(const QString& drive, QTextStream& out, QTextStream& err) {
    dvq3::Session session;
    const DriveLoad loaded = LoadDrive(session, drive, err);
    if (loaded == DriveLoad::Failed)
        return kExitFailure;
    QStringList header;
    for (const auto& field : dvq3::kClientFields)
        header << QString::fromLatin1(field.name);
    out << header.join(u',') << '\n';
    for (int i = 1; i <= session.disk.NumClients(); ++i) {
        QStringList row;
        for (const auto& field : dvq3::kClientFields)
            row << CsvField(session.disk.Clients(i).*field.member);
        out << row.join(u',') << '\n';
    }
    out.flush();
    if (out.status() != QTextStream::Ok) {
        err << "The client records could not be written out in full.\n";
        return kExitFailure;
    }
    return loaded == DriveLoad::Damaged ? kExitFailure : kExitOk;
}

int RunDump(const QStringList& args, QTextStream& out, QTextStream& err) {
    CommandLine line(QStringLiteral("dump"), {QStringLiteral("dump DRIVE")},
                     QStringLiteral("Prints the client records of the data drive DRIVE as CSV "
                                    "(UTF-8, a header\nof the field names). The drive is only "
                                    "read."));
    if (const auto done = line.parse(args, {QStringLiteral("DRIVE")}, out, err))
        return *done;
    return Dump(line.positionalArguments()[0], out, err);
}

} // namespace dvq3tool
