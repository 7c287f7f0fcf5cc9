#pragma once

#include "platform/DriveError.h"
#include "records/ClientRecord.h"

#include <QString>

#include <array>
#include <vector>

namespace dvq3 {

// A data disk holds at most this many clients (records 1 to 51 of the table).
inline constexpr int kMaxClients = 51;

// The data drive in use and the paths on it ("drive + "/" + name").
extern QString DataDrive;
extern QString ClientFile;
extern QString TidFile;

// The client file of the data drive, read whole: index i holds record i; index 0 is never
// stored.
extern std::array<ClientRecord, kMaxClients + 1> Clients;
extern qint16 NumClients; // records in the file: clients whose answers have been saved
extern qint16 CurClient;  // 0 with no clients; NumClients + 1 while a new client is entered

// Chain flags shared by the windows of one workflow.
extern bool ContinueFlag; // the window just closed was confirmed
extern bool EditExisting; // an existing client is being edited
extern bool FromScan;     // the answers come from a scanned sheet
extern qint16 CurNameDeleted;

// Back to the state before any data drive was established (tests).
void ResetClientState();

// Sets DataDrive, ClientFile and TidFile for drive.
void SetDataDrive(const QString& drive);

// What a load found wrong with a client file that was nevertheless readable.
enum class ClientFileProblem {
    None,
    TooManyRecords, // more records than a disk may hold: nothing loaded, the file left as it is
    PartialRecord,  // a length that is not a whole number of records: whole records loaded
};

struct ClientFileCheck {
    ClientFileProblem problem = ClientFileProblem::None;
    QString message; // what to tell the user, empty when there is no problem
};

// Splits the bytes of a client file into its records (index 0 of the result is record 1) and
// says what is wrong with it. A file of more records than a disk may hold gives no records.
struct ClientFileContents {
    std::vector<ClientRecord> records;
    ClientFileCheck check;
};
ClientFileContents ParseClientFile(const QByteArray& bytes);

// Reads the whole client file into Clients (the file is created empty when missing), sets
// NumClients and CurClient. A file error leaves the table as it was.
Result<ClientFileCheck> LoadClients();

// Writes Clients[index] as record index, in place, and flushes it to the device; index
// NumClients + 1 appends. The write is refused, with the file untouched, when the file no longer
// has the length the table expects (damaged, or changed since the load). On any failure the
// record stays in memory and the file holds what it held before.
Status SaveClient(qint16 index);

// The message for a disk that already holds kMaxClients clients.
QString DiskFullText();

// Blanks every field of Clients[CurClient] to spaces (no file access).
void ClearClient();
// Counts the new client just appended by SaveClient(CurClient).
void CommitNewClient();

} // namespace dvq3
