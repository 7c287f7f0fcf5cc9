// The initialisation file is outside input: any bytes must parse, and a parsed file written out
// must read back the same.
#include "platform/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    dvq3::IniFile ini = dvq3::IniFile::Parse(bytes);
    const QString before = ini.value("Path", "FilePath", "a:");
    ini.setValue("Options", "SystemDB", "/opt/dvq3/kpxltd.mda");
    const QByteArray written = ini.toBytes();
    const dvq3::IniFile reread = dvq3::IniFile::Parse(written);
    if (reread.toBytes() != written)
        std::abort();
    if (reread.value("Options", "SystemDB", {}) != QStringLiteral("/opt/dvq3/kpxltd.mda"))
        std::abort();
    // Only a key that was missing, or unreadable through our own write, may change the path.
    if (!before.isEmpty() && before != QStringLiteral("a:") &&
        reread.value("Path", "FilePath", "a:") != before)
        std::abort();
    return 0;
}
