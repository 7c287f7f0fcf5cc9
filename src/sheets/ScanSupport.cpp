#include "sheets/ScanSupport.h"

#include "sheets/ImagingControl.h"

namespace dvq3 {

TwainSettings TwainSetup() {
    return TwainSettings{};
}

Status PrepareSheetImage(ImagingControl& lead) {
    if (auto separated = lead.ColorSeparate(); !separated)
        return separated;
    if (auto plane = lead.SetColorPlane(ImagingControl::kPlaneRedDropOut); !plane)
        return plane;
    lead.KeepInkLevels();
    for (int i = 0; i <= 75; ++i)
        lead.SetRemapTable(i, 255);
    for (int i = 76; i <= 255; ++i)
        lead.SetRemapTable(i, 0);
    lead.Contrast(800);
    lead.RemapIntensity();
    return {};
}

Error ImagingError(int code) {
    return Error::ImagingFault(code, LeadErrorText(code));
}

QString LeadErrorText(int code) {
    if (code >= 20030 && code <= 20062)
        return QStringLiteral("Internal Error - Call LEAD");
    if (code >= 20074 && code <= 20077)
        return QStringLiteral("Premature end-of-line code");
    switch (code) {
    case 20000:
        return QStringLiteral("General failure");
    case 20001:
    case 20003:
        return QStringLiteral("Not enough memory available");
    case 20002:
        return QStringLiteral("Invalid bitmap handle");
    case 20004:
        return QStringLiteral("Error seeking to position");
    case 20005:
        return QStringLiteral("Error writing file");
    case 20006:
        return QStringLiteral("File not present - abort");
    case 20007:
        return QStringLiteral("Error reading file");
    case 20008:
        return QStringLiteral("Invalid filename specified");
    case 20009:
        return QStringLiteral("Invalid file format");
    case 20010:
        return QStringLiteral("File not found");
    case 20011:
        return QStringLiteral("Invalid width/height");
    case 20012:
        return QStringLiteral("Image format recognized, but sub-type not supported");
    case 20013:
        return QStringLiteral("Invalid parmameter passed");
    case 20014:
        return QStringLiteral("Not able to open file");
    case 20015:
        return QStringLiteral("Unknown compression format");
    case 20017:
        return QStringLiteral("VGA card only supports 256 colors (8 bit)");
    case 20018:
        return QStringLiteral("Printer error");
    case 20019:
        return QStringLiteral("Data CRC check error");
    case 20021:
        return QStringLiteral("Invalid QFactor specified");
    case 20022:
        return QStringLiteral("TARGA not installed");
    case 20023:
        return QStringLiteral("Invalid compression format");
    case 20024:
        return QStringLiteral("X origin specified invalid");
    case 20025:
        return QStringLiteral("Y origin specified invalid");
    case 20026:
        return QStringLiteral("Invalid video mode");
    case 20027:
        return QStringLiteral("Invalid bits/pixel");
    case 20028:
        return QStringLiteral("Invalid window size");
    case 20029:
        return QStringLiteral("Escape key pressed");
    case 20063:
    case 20064:
        return QStringLiteral("Fixed palette data not found");
    case 20065:
        return QStringLiteral("Stamp not found");
    case 20070:
        return QStringLiteral("Invalid group 3 code");
    case 20071:
        return QStringLiteral("Group3 code end of file");
    case 20072:
        return QStringLiteral("Group3 code end of code");
    case 20073:
        return QStringLiteral("Premature EOF at scanline");
    case 20078:
        return QStringLiteral("Bad version number");
    case 20079:
        return QStringLiteral("Twain source manager not found");
    case 20080:
        return QStringLiteral("Twain Canceled by user or unknown causes");
    case 20081:
        return QStringLiteral("Twain not enough memory to perform operation");
    case 20082:
        return QStringLiteral("Twain no Data Source");
    case 20083:
        return QStringLiteral("Twain DS is connected to max possible apps");
    case 20084:
        return QStringLiteral("Twain DS or DSM reported error, app shouldn't");
    case 20085:
        return QStringLiteral("Twain unknown capability");
    case 20086:
        return QStringLiteral("Twain unrecognized MSG DG DAT combination");
    case 20087:
        return QStringLiteral("Twain data parameter out of range");
    case 20088:
        return QStringLiteral("Twain DG DAT MSG out of expected sequence");
    case 20089:
        return QStringLiteral("Twain unknown destination App/Src in DSM_Entry");
    case 20090:
        return QStringLiteral("Twain operation was cancelled");
    default:
        return {};
    }
}

ScanMessage TwainErrorMessage(int code) {
    return {QStringLiteral("Twain Error"),
            QStringLiteral("Error '%1, %2.").arg(code).arg(LeadErrorText(code))};
}

} // namespace dvq3
