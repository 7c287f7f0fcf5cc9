// A scanned or debug image comes from outside: any bytes must load or be refused with a control
// error, and a loaded image must go through the sheet preparation without harm.
#include "sheets/ImagingControl.h"
#include "sheets/ScanSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Debug.bmp"));
    {
        QFile file(path);
        const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            std::abort();
    }
    dvq3::ImagingControl lead;
    if (auto loaded = lead.Load(path); !loaded) {
        if (loaded.error().kind() != dvq3::Error::Kind::ImagingFault)
            std::abort(); // a load fault is always a control error with its number
        return 0;
    }
    (void)dvq3::PrepareSheetImage(lead);
    return 0;
}
