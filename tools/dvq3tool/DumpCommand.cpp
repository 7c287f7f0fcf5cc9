#include "DumpCommand.h"

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
    bool damaged = false;
    if (!LoadDrive(session, drive, err, &damaged))
        return 2;
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
        return 2;
    }
    return damaged ? 2 : 0;
}

} // namespace dvq3tool
