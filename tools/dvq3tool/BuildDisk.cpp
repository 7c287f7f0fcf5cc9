#include "BuildDisk.h"

#include "BlockFile.h"
#include "CommandLine.h"
#include "platform/Codepage.h"
#include "platform/DriveFile.h"
#include "station/DataDisk.h"

namespace dvq3tool {
namespace {

// "\xNN" stands for the character of byte NN, "\\" for a backslash.
std::optional<QString> Unescape(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (text.mid(i, 2) == QStringLiteral("\\\\")) {
            out += u'\\';
            ++i;
            continue;
        }
        bool ok = false;
        const int byte = text.mid(i + 2, 2).toInt(&ok, 16);
        if (text.mid(i, 2) != QStringLiteral("\\x") || !ok || text.mid(i + 2, 2).size() != 2)
            return std::nullopt;
        out += dvq3::DecodeAnsi(QByteArray(1, static_cast<char>(byte)));
        i += 3;
    }
    return out;
}

} // namespace

dvq3::Status BuildDisk(const QString& source, const QString& folder, bool force) {
    const BlockFile file = ReadBlockFile(source);
    if (!file.error.isEmpty())
        return dvq3::Error::Refusal(file.error);
    // The station refuses a client file of more records than its table holds.
    if (file.blocks.size() > static_cast<size_t>(dvq3::kMaxClients))
        return dvq3::Error::Refusal(
            QStringLiteral("%1 holds %2 clients, more than the %3 a data disk can hold: the "
                           "station would refuse the disk. Nothing was written.")
                .arg(source)
                .arg(file.blocks.size())
                .arg(dvq3::kMaxClients));
    QStringList expected;
    for (const auto& field : dvq3::kClientFields)
        expected << QString::fromLatin1(field.name);
    QByteArray bytes;
    for (const Block& block : file.blocks) {
        if (block.keys() != expected)
            return dvq3::Error::Refusal(QStringLiteral("%1:%2: a client needs the keys %3")
                                            .arg(source)
                                            .arg(block.line)
                                            .arg(expected.join(QStringLiteral(", "))));
        dvq3::ClientRecord record;
        for (int i = 0; i < static_cast<int>(dvq3::kClientFields.size()); ++i) {
            const auto& field = dvq3::kClientFields[i];
            const auto value = Unescape(block.fields[i].second);
            if (!value || value->size() > field.length || !dvq3::IsAnsiText(*value))
                return dvq3::Error::Refusal(
                    QStringLiteral("%1:%2: %3 is not %4 Windows-1252 characters or fewer")
                        .arg(source)
                        .arg(block.line)
                        .arg(QLatin1String(field.name))
                        .arg(field.length));
            record.set(field.member, *value);
        }
        bytes += record.toBytes();
    }
    if (auto made = dvq3::MakePrivateFolder(folder); !made)
        return dvq3::Error::Refusal(
            QStringLiteral("cannot create %1 (%2)").arg(folder, made.error().text()));
    dvq3::DataDisk existing;
    existing.SetDataDrive(folder);
    auto loaded = existing.LoadClients(dvq3::DataDisk::LoadMode::ReadOnly);
    const bool missing = !loaded && loaded.error().is(dvq3::Error::Kind::DriveFault, 53);
    if (!loaded && !missing)
        return loaded.error();
    if (loaded && !force &&
        (existing.NumClients() > 0 || loaded.value().problem != dvq3::ClientFileProblem::None))
        return dvq3::Error::Refusal(
            QStringLiteral("%1 already holds %2 clients; building a disk there would replace "
                           "them. Nothing was changed. Give --force to replace them.")
                .arg(existing.ClientFile())
                .arg(existing.NumClients()));
    if (auto written = dvq3::ReplaceFile(existing.ClientFile(), bytes, dvq3::kPrivateFile);
        !written)
        return written.error();
    if (auto written = dvq3::ReplaceFile(existing.TidFile(), "DVQ3\r\n"); !written)
        return written.error();
    return {};
}

int RunBuildDisk(const QStringList& args, QTextStream& out, QTextStream& err) {
    CommandLine line(QStringLiteral("build-disk"),
                     {QStringLiteral("build-disk SOURCE FOLDER [--force]")},
                     QStringLiteral("Writes a data disk into FOLDER: the client file built from "
                                    "the text source\nSOURCE and the disk's marker file."));
    line.addOption({QStringLiteral("force"),
                    QStringLiteral("replace a client file that already holds clients")});
    if (const auto done =
            line.parse(args, {QStringLiteral("SOURCE"), QStringLiteral("FOLDER")}, out, err))
        return *done;
    const QStringList paths = line.positionalArguments();
    const dvq3::Status built = BuildDisk(paths[0], paths[1], line.isSet(QStringLiteral("force")));
    if (built)
        return kExitOk;
    err << built.error().text() << '\n';
    return kExitFailure;
}

} // namespace dvq3tool
