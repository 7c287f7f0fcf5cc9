#include "sheets/windows/ScanAnswerSheet.h"

#include "records/windows/frmMyInputBox.h"
#include "sheets/ImagingControl.h"
#include "sheets/NewScan.h"
#include "sheets/ScanAcquisition.h"
#include "sheets/ScanItem.h"
#include "sheets/ScanMessages.h"
#include "sheets/windows/frmDebugView.h"
#include "station/Session.h"
#include "ui/ChainRunner.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QScopeGuard>

namespace dvq3 {
namespace {

void ShowScanError(const Error& error) {
    SetDefaultPointer();
    MsgBox(error.text(), vbCritical, QLatin1String(kScanErrorTitle));
}

// The decoded values into the new client's record, where the review windows find them.
void PutScannedClient(ClientRecord& record, const QString& name, const ScanClientValues& c) {
    record.set(&ClientRecord::Name, name);
    record.set(&ClientRecord::Age, c.Age);
    record.set(&ClientRecord::Gender, QString::number(c.Gender));
    record.set(&ClientRecord::Race, QString::number(c.Race));
    record.set(&ClientRecord::Education, QString::number(c.Education));
    record.set(&ClientRecord::Marital, QString::number(c.Marital));
    record.set(&ClientRecord::DUIArrests, c.DUIArrests);
    record.set(&ClientRecord::AlcoholArrests, c.AlcoholArrests);
    record.set(&ClientRecord::DrugArrests, c.DrugArrests);
    record.set(&ClientRecord::Responses, c.Responses);
    record.set(&ClientRecord::EditCount, QStringLiteral("0"));
    record.set(&ClientRecord::NameDeleted, QStringLiteral("0"));
}

} // namespace

void ScanAnswerSheet(Session& session, const ScanStation& station) {
    const int stored = session.disk.NumClients();
    if (!session.disk.IsTableIndex(stored + 1)) {
        MsgBox(DiskFullText(), vbExclamation, kDiskFullTitle);
        return;
    }
    // Only a saved client outlives the scan; anything else leaves the table as it was.
    const auto end = qScopeGuard([&session, stored] {
        SetDefaultPointer();
        if (session.disk.NumClients() == stored) {
            session.disk.ClearClient(stored + 1);
            session.CurClient = stored > 0 ? 1 : 0;
        }
        session.FromScan = false;
        session.DoubtfulItems.clear();
    });

    QString name;
    {
        frmMyInputBox box;
        box.setWindowTitle(kClientNameCaption);
        box.setHelpMessage(kClientNameHelp);
        box.setInputLength(kClientNameLength);
        box.exec();
        if (box.Cancelled())
            return;
        name = box.InputValue();
    }
    if (MsgBox(InsertSheetText(name), vbOKCancel, kTestScanTitle) != vbOK)
        return;

    SetWaitPointer();
    ImagingControl lead;
    if (const Status acquired = AcquireSheet(lead, station.scanner, station.switches.ScanDebug);
        !acquired) {
        // Every fault of the acquisition is the imaging control's; anything else is its general
        // failure.
        const int code = acquired.error().kind() == Error::Kind::ImagingFault
                             ? acquired.error().number()
                             : 20000;
        const ScanMessage box = TwainErrorMessage(code);
        SetDefaultPointer();
        MsgBox(box.text, vbOKOnly, box.title);
        return;
    }
    const auto layout = ReadScanItems(session.dbTest);
    if (!layout) {
        ShowScanError(layout.error());
        return;
    }

    // The debug view before every tested box, or before the first box of every field.
    bool stopped = false;
    BubbleWatcher watch;
    if (station.switches.VerboseAll || station.switches.VerboseFirst)
        watch = [&](const BubbleProbe& probe) {
            if (stopped || (!station.switches.VerboseAll && probe.bubble != 0))
                return;
            frmDebugView view(station.EndProgram);
            view.setXVal(static_cast<qint16>(probe.image.x()));
            view.setYVal(static_cast<qint16>(probe.image.y()));
            view.setTestedBox(layout.value()[probe.field].LocationName, probe.count);
            view.exec();
            stopped = view.Stopped();
        };
    const auto sheet = DecodeSheet(lead.GetBitmapDC(), layout.value(), watch);
    if (stopped)
        return;
    if (!sheet) {
        ShowScanError(sheet.error());
        return;
    }
    if (const Status written = WriteScanPositions(session.dbTest, sheet.value().positions);
        !written) {
        ShowScanError(written.error());
        return;
    }
    SetDefaultPointer();
    if (const auto warning =
            ScanSheetWarning(sheet.value().MultiNames, sheet.value().DoubtfulNames))
        MsgBox(warning->text, vbOKOnly, warning->title);

    session.CurClient = stored + 1;
    session.disk.ClearClient(session.CurClient);
    PutScannedClient(session.CurrentClient(), name, sheet.value().client);
    session.EditExisting = false;
    session.FromScan = true;
    session.DoubtfulItems = sheet.value().DoubtfulItems;
    RunChain(session, kClientChain);
}

} // namespace dvq3
