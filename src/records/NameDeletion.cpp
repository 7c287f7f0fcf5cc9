#include "records/NameDeletion.h"

#include "platform/DriveFile.h"
#include "platform/ProgramFolder.h"
#include "records/RecordsMessages.h"
#include "station/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace dvq3 {

QString ScrambleName(const QString& name) {
    QString scrambled = name;
    for (QChar& c : scrambled)
        if (c != u' ')
            c = QChar(QRandomGenerator::system()->bounded(33, 127)); // '!' to '~'
    return scrambled;
}

bool DeleteNames(Session& session, const std::function<bool(int, const ClientRecord&)>& save) {
    for (int i = 1; i <= session.disk.NumClients(); ++i) {
        ClientRecord& record = session.disk.Clients(i);
        if (record.NameDeleted.trimmed().toInt() != 0)
            continue;
        const ClientRecord before = record;
        record.Name = ScrambleName(FitField(record.Name, FieldLength(&ClientRecord::Name)));
        record.set(&ClientRecord::NameDeleted, QStringLiteral("1"));
        session.CurNameDeleted = true;
        if (!save(i, before))
            return false;
    }
    return true;
}

QStringList StationFilesWithNames() {
    const QString report = StationFile(QStringLiteral("report.prn"));
    QStringList files{report, StationFile(QStringLiteral("Raw.bmp"))};
    // The copies there are, and those a killed writer was making for the first time.
    static const QRegularExpression copy(
        QStringLiteral("^\\.?(temp[0-9]+)(\\.[0-9]+\\.[0-9]+\\.tmp)?$"));
    const QDir folder = QFileInfo(report).absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = copy.match(name);
        if (const QString file = folder.filePath(match.captured(1));
            match.hasMatch() && !files.contains(file))
            files << file;
    }
    return files;
}

Status RemoveStationFilesWithNames() {
    for (const QString& file : StationFilesWithNames()) {
        RemoveDeadTemporaries(file);
        if (auto removed = RemoveDriveFile(file);
            !removed && !(removed.error().is(Error::Kind::DriveFault, 53)))
            return Error::Refusal(
                kNameFileNotRemoved.arg(QDir::toNativeSeparators(file), removed.error().text()));
    }
    return {};
}

} // namespace dvq3
