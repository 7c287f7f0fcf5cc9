// Saves one client record as the station's windows do, for fault_injection.py to fail the system
// calls under it: "dvq3_save_record DRIVE N NAME" renames client N, "DRIVE new NAME" adds a client.
// The exit status is 0 only when the record reached the device; otherwise the station's message is
// printed.
#include "station/Session.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 4)
        return 2;
    dvq3::Session session;
    session.disk.SetDataDrive(args[1]);
    auto loaded = session.LoadClients(dvq3::DataDisk::LoadMode::ReadOnly);
    if (!loaded) {
        err << loaded.error().text() << '\n';
        return 1;
    }
    const int index =
        args[2] == QStringLiteral("new") ? session.disk.NumClients() + 1 : args[2].toInt();
    if (index < 1 || !session.disk.IsTableIndex(index)) {
        err << "no client " << args[2] << '\n';
        return 2;
    }
    session.disk.Clients(index).set(&dvq3::ClientRecord::Name, args[3]);
    const dvq3::Status saved = session.disk.SaveClient(index);
    if (!saved) {
        err << saved.error().text().replace(u'\r', u'\n') << '\n';
        return 1;
    }
    return 0;
}
