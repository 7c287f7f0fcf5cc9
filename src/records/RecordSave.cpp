#include "records/RecordSave.h"

#include "platform/DriveFile.h"
#include "platform/MsgBox.h"
#include "records/Session.h"
#include "shell/DiskCheck.h"

#include <optional>

namespace dvq3 {
namespace {

// The record the file holds at index, if it can be read.
std::optional<ClientRecord> StoredRecord(const Session& session, int index) {
    auto bytes = ReadDriveFile(session.disk.ClientFile());
    if (!bytes)
        return std::nullopt;
    const ClientFileContents contents = ParseClientFile(bytes.value());
    if (index < 1 || index > static_cast<int>(contents.records.size()))
        return std::nullopt;
    return contents.records[static_cast<std::size_t>(index - 1)];
}

} // namespace

bool SaveRecord(Session& session, int index, const ClientRecord& before) {
    for (;;) {
        const Status saved = session.disk.SaveClient(index);
        if (saved)
            return true;
        const Error& error = saved.error();
        int answer = vbCancel;
        if (error.isDriveFault() && error.number() == 70)
            answer = MsgBox(kWriteProtectedText, vbOKCancel | vbCritical, kDiskErrorTitle);
        else if (error.isDriveFault())
            answer = MsgBox(error.text(), vbOKCancel | vbCritical, kDiskErrorTitle);
        else
            MsgBox(error.text(), vbCritical, kDiskErrorTitle);
        if (answer == vbOK)
            continue;
        // A fault after the record reached the device (closing the file) still saved it.
        ClientRecord& record = session.disk.Clients(index);
        const std::optional<ClientRecord> stored = StoredRecord(session, index);
        if (stored && stored->toBytes() == record.toBytes())
            return true;
        record = stored ? *stored : before;
        return false;
    }
}

} // namespace dvq3
