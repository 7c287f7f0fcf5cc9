#include "records/windows/RecordSave.h"

#include "records/DiskCheck.h"
#include "station/Session.h"
#include "ui/MsgBox.h"

namespace dvq3 {

bool SaveRecord(Session& session, int index, const ClientRecord& before) {
    for (;;) {
        const Status saved = session.disk.SaveClient(index);
        if (saved)
            return true;
        const Error& error = saved.error();
        int answer = vbCancel;
        if (error.is(Error::Kind::DriveFault, 70) &&
            error.description() == DriveErrorDescription(70))
            answer = MsgBox(kWriteProtectedText, vbOKCancel | vbCritical, kDiskErrorTitle);
        else if (error.isDriveFault())
            answer = MsgBox(error.text(), vbOKCancel | vbCritical, kDiskErrorTitle);
        else
            MsgBox(error.text(), vbCritical, kDiskErrorTitle);
        if (answer == vbOK)
            continue;
        // What the file seems to hold after a failed flush is no proof of what the device holds:
        // the record goes back to what it was before the window changed it.
        session.disk.Clients(index) = before;
        return false;
    }
}

} // namespace dvq3
