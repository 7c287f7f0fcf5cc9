#include "DecodeCommand.h"

#include "CommandLine.h"
#include "platform/ProgramFolder.h"
#include "platform/QuestionDatabase.h"
#include "sheets/ImagingControl.h"
#include "sheets/NewScan.h"
#include "sheets/ScanSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace dvq3tool {
namespace {

QJsonObject Point(const dvq3::PolarPoint& p) {
    return {{QStringLiteral("x"), p.x},
            {QStringLiteral("y"), p.y},
            {QStringLiteral("r"), static_cast<double>(p.r)},
            {QStringLiteral("theta"), static_cast<double>(p.theta)}};
}

QJsonObject ToJson(const dvq3::SheetDecode& sheet) {
    QJsonArray fields;
    for (const dvq3::FieldDecode& field : sheet.fields) {
        QJsonArray bubbles;
        for (const dvq3::BubbleRead& bubble : field.read.bubbles)
            bubbles.append(QJsonObject{{QStringLiteral("darkness"), bubble.darkness},
                                       {QStringLiteral("ink"), bubble.ink}});
        fields.append(QJsonObject{{QStringLiteral("LocationName"), field.LocationName},
                                  {QStringLiteral("value"), field.read.value},
                                  {QStringLiteral("darkness"), field.read.darkness},
                                  {QStringLiteral("multiple"), field.read.multiple()},
                                  {QStringLiteral("doubtful"), field.read.doubtful},
                                  {QStringLiteral("bubbles"), bubbles}});
    }
    const dvq3::ScanClientValues& c = sheet.client;
    const QJsonObject client{{QStringLiteral("Age"), c.Age},
                             {QStringLiteral("Gender"), c.Gender},
                             {QStringLiteral("Race"), c.Race},
                             {QStringLiteral("Education"), c.Education},
                             {QStringLiteral("Marital"), c.Marital},
                             {QStringLiteral("DUIArrests"), c.DUIArrests},
                             {QStringLiteral("AlcoholArrests"), c.AlcoholArrests},
                             {QStringLiteral("DrugArrests"), c.DrugArrests},
                             {QStringLiteral("Responses"), c.Responses}};
    QJsonObject json{{QStringLiteral("AnchorBox"), Point(sheet.AnchorBox)},
                     {QStringLiteral("RefBox"), Point(sheet.RefBox)},
                     {QStringLiteral("SheetTheta"), static_cast<double>(sheet.SheetTheta)},
                     {QStringLiteral("SheetScale"), static_cast<double>(sheet.SheetScale)},
                     {QStringLiteral("fields"), fields},
                     {QStringLiteral("client"), client}};
    if (const auto warning = dvq3::ScanSheetWarning(sheet.MultiNames, sheet.DoubtfulNames))
        json.insert(QStringLiteral("warning"),
                    QJsonObject{{QStringLiteral("title"), warning->title},
                                {QStringLiteral("text"), warning->text}});
    return json;
}

} // namespace

int RunDecode(const QStringList& args, QTextStream& out, QTextStream& err) {
    CommandLine line(
        QStringLiteral("decode"), {QStringLiteral("decode IMAGE [--db FILE]")},
        QStringLiteral(
            "Reads a scanned answer sheet (a Windows bitmap) as the station's scan does\n"
            "and prints each field's value and each bubble's darkness and ink as JSON."));
    line.addOption({QStringLiteral("db"),
                    QStringLiteral("read the sheet's layout from FILE (default: the program "
                                   "folder's DVQ3.MDB)"),
                    QStringLiteral("FILE"), dvq3::ProgramFile(QStringLiteral("DVQ3.MDB"))});
    if (const auto done = line.parse(args, {QStringLiteral("IMAGE")}, out, err))
        return *done;
    const QString image = line.positionalArguments()[0];
    const QString database = line.value(QStringLiteral("db"));
    dvq3::ImagingControl lead;
    auto prepared = lead.Load(image);
    if (prepared)
        prepared = dvq3::PrepareSheetImage(lead);
    if (!prepared) {
        const dvq3::ScanMessage box = dvq3::TwainErrorMessage(prepared.error().number());
        err << box.title << ": " << box.text << '\n';
        return kExitFailure;
    }
    dvq3::QuestionDatabase db;
    auto opened = db.open(database, false);
    auto layout = opened ? dvq3::ReadScanItems(db)
                         : dvq3::Result<std::vector<dvq3::ScanItem>>(opened.error());
    if (!layout) {
        err << dvq3::kScanErrorTitle << ": " << layout.error().text().replace(u'\r', u' ') << '\n';
        return kExitFailure;
    }
    const auto sheet = dvq3::DecodeSheet(lead.GetBitmapDC(), layout.value());
    if (!sheet) {
        err << dvq3::kScanErrorTitle << ": " << sheet.error().text().replace(u'\r', u' ') << '\n';
        return kExitFailure;
    }
    out << QJsonDocument(ToJson(sheet.value())).toJson(QJsonDocument::Indented);
    return 0;
}

} // namespace dvq3tool
