#include "station/Session.h"

namespace dvq3 {

Result<ClientFileCheck> Session::LoadClients(DataDisk::LoadMode mode) {
    auto loaded = disk.LoadClients(mode);
    if (loaded)
        CurClient = disk.NumClients() > 0 ? 1 : 0;
    return loaded;
}

} // namespace dvq3
