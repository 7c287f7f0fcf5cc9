#pragma once

#include "platform/QuestionDatabase.h"
#include "station/ChainWindow.h"
#include "station/DataDisk.h"

#include <QString>

#include <vector>

namespace dvq3 {

// The station's state for one run: the data disk and its clients, the client being worked on,
// the flags a chain of windows passes along, the sound folder and the open question database.
// The station makes one at start-up and hands it to every window it opens; the command-line tool
// and each test make their own.
class Session {
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    DataDisk disk;

    // The client being worked on: 0 with no clients, 1..NumClients for a stored one,
    // NumClients + 1 while a new client is entered.
    int CurClient = 0;

    // Chain flags shared by the windows of one workflow.
    bool ContinueFlag = false; // the window just closed was confirmed
    bool EditExisting = false; // an existing client is being edited
    bool FromScan = false;     // the answers come from a scanned sheet
    bool CurNameDeleted = false;
    // The items (1 to 100) whose marks on the scanned sheet were doubtful, for the response
    // grid to show until the staff member keys or confirms them; empty outside a scan.
    std::vector<int> DoubtfulItems;

    QString SndPath; // root of the sound folders
    // The /NOWAIT switch: the splash and the about box show at once and do not hold on.
    bool skipSplashWait = false;
    // The user's own sound root, where voice files are installed when SndPath cannot be written;
    // the presentation looks there for what SndPath lacks.
    QString userSndPath;
    QString DbPath; // program folder + "/DVQ3.MDB"
    // The question database, opened exclusively at start-up for the whole run.
    QuestionDatabase dbTest;

    // The record of CurClient; a CurClient outside the table is a fault of the caller.
    ClientRecord& CurrentClient() { return disk.Clients(CurClient); }
    const ClientRecord& CurrentClient() const { return disk.Clients(CurClient); }

    // Opens the windows of a chain: the station's own at start-up, stand-ins in tests; none
    // in the command-line tool.
    WindowOpener* windowOpener = nullptr;

    // Loads the data disk's client file; on success the first client becomes current.
    Result<ClientFileCheck>
    LoadClients(DataDisk::LoadMode mode = DataDisk::LoadMode::CreateMissing);
    // Blanks the current client's record in memory.
    void ClearClient() { disk.ClearClient(CurClient); }
};

} // namespace dvq3
