#include "platform/scanner/ScannerSane.h"

#include <QScopeGuard>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace dvq3 {
namespace {

// More than a colour letter page at 300 dots per inch: anything larger is not one sheet.
constexpr qsizetype kMaxPageBytes = 64 * 1024 * 1024;
constexpr double kMillimetresPerInch = 25.4;

ScannerStatus FromSane(SANE_Status status) {
    switch (status) {
    case SANE_STATUS_GOOD:
        return ScannerStatus::Good;
    case SANE_STATUS_UNSUPPORTED:
        return ScannerStatus::Unsupported;
    case SANE_STATUS_CANCELLED:
        return ScannerStatus::Cancelled;
    case SANE_STATUS_DEVICE_BUSY:
        return ScannerStatus::DeviceBusy;
    case SANE_STATUS_INVAL:
        return ScannerStatus::Invalid;
    case SANE_STATUS_JAMMED:
        return ScannerStatus::Jammed;
    case SANE_STATUS_NO_DOCS:
        return ScannerStatus::NoDocs;
    case SANE_STATUS_COVER_OPEN:
        return ScannerStatus::CoverOpen;
    case SANE_STATUS_NO_MEM:
        return ScannerStatus::NoMem;
    case SANE_STATUS_ACCESS_DENIED:
        return ScannerStatus::AccessDenied;
    case SANE_STATUS_EOF: // an end before the page began
    case SANE_STATUS_IO_ERROR:
    default:
        return ScannerStatus::IoError;
    }
}

struct Option {
    SANE_Int index;
    const SANE_Option_Descriptor* d;
};

std::optional<Option> FindOption(SANE_Handle device, const char* name) {
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(device, i);
        if (!d)
            return std::nullopt;
        if (d->name && std::strcmp(d->name, name) == 0)
            return Option{i, d};
    }
}

bool Settable(const Option& o) {
    return SANE_OPTION_IS_ACTIVE(o.d->cap) && SANE_OPTION_IS_SETTABLE(o.d->cap);
}

bool SingleNumber(const Option& o) {
    return (o.d->type == SANE_TYPE_INT || o.d->type == SANE_TYPE_FIXED) &&
           o.d->size == static_cast<SANE_Int>(sizeof(SANE_Word));
}

double FromWord(const Option& o, SANE_Word word) {
    return o.d->type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : static_cast<double>(word);
}

// The value the device allows that comes closest to value: a range clamps it, a list gives the
// smallest entry at or above it (else the largest), so a page is never scanned coarser than asked.
double Allowed(const Option& o, double value) {
    if (o.d->constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range* range = o.d->constraint.range;
        return std::clamp(value, FromWord(o, range->min), FromWord(o, range->max));
    }
    if (o.d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word* list = o.d->constraint.word_list;
        std::optional<double> above;
        double largest = value;
        for (SANE_Int i = 1; i <= list[0]; ++i) {
            const double entry = FromWord(o, list[i]);
            largest = i == 1 ? entry : std::max(largest, entry);
            if (entry >= value && (!above || entry < *above))
                above = entry;
        }
        return above.value_or(largest);
    }
    return value;
}

SANE_Status SetNumber(SANE_Handle device, const Option& o, double value) {
    if (!SingleNumber(o))
        return SANE_STATUS_INVAL;
    SANE_Word word =
        o.d->type == SANE_TYPE_FIXED ? SANE_FIX(value) : static_cast<SANE_Word>(std::lround(value));
    return sane_control_option(device, o.index, SANE_ACTION_SET_VALUE, &word, nullptr);
}

std::optional<double> GetNumber(SANE_Handle device, const Option& o) {
    SANE_Word word = 0;
    if (!SingleNumber(o) || sane_control_option(device, o.index, SANE_ACTION_GET_VALUE, &word,
                                                nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return FromWord(o, word);
}

SANE_Status SetText(SANE_Handle device, const Option& o, const QString& value) {
    switch (o.d->type) {
    case SANE_TYPE_BOOL: {
        const QString v = value.trimmed().toLower();
        SANE_Bool on = v == u"yes" || v == u"true" || v == u"1" || v == u"on";
        return sane_control_option(device, o.index, SANE_ACTION_SET_VALUE, &on, nullptr);
    }
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED: {
        bool ok = false;
        const double number = value.trimmed().toDouble(&ok);
        return ok ? SetNumber(device, o, number) : SANE_STATUS_INVAL;
    }
    case SANE_TYPE_STRING: {
        const QByteArray text = value.toLocal8Bit();
        if (o.d->size <= 0 || text.size() >= o.d->size)
            return SANE_STATUS_INVAL;
        std::vector<char> buffer(static_cast<size_t>(o.d->size), '\0');
        std::memcpy(buffer.data(), text.constData(), static_cast<size_t>(text.size()));
        return sane_control_option(device, o.index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
    }
    case SANE_TYPE_BUTTON:
        return sane_control_option(device, o.index, SANE_ACTION_SET_VALUE, nullptr, nullptr);
    default:
        return SANE_STATUS_INVAL;
    }
}

// The device's own name for colour (or grey) scanning, among the modes it lists.
void SetMode(SANE_Handle device, bool colour) {
    const auto mode = FindOption(device, SANE_NAME_SCAN_MODE);
    if (!mode || !Settable(*mode) || mode->d->type != SANE_TYPE_STRING ||
        mode->d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return;
    const char* wanted = colour ? SANE_VALUE_SCAN_MODE_COLOR : SANE_VALUE_SCAN_MODE_GRAY;
    for (const SANE_String_Const* entry = mode->d->constraint.string_list; *entry; ++entry)
        if (QString::fromLatin1(*entry).compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0) {
            (void)SetText(device, *mode, QString::fromLatin1(*entry));
            return;
        }
}

void SetFrame(SANE_Handle device, const QRectF& inches, int dpi) {
    const std::pair<const char*, double> edges[] = {
        {SANE_NAME_SCAN_TL_X, inches.left()},
        {SANE_NAME_SCAN_TL_Y, inches.top()},
        {SANE_NAME_SCAN_BR_X, inches.right()},
        {SANE_NAME_SCAN_BR_Y, inches.bottom()},
    };
    for (const auto& [name, at] : edges) {
        const auto edge = FindOption(device, name);
        if (!edge || !Settable(*edge))
            continue;
        const double value = edge->d->unit == SANE_UNIT_PIXEL ? at * dpi : at * kMillimetresPerInch;
        (void)SetNumber(device, *edge, Allowed(*edge, value));
    }
}

int Sample(const uchar* line, int index, int depth) {
    if (depth == 8)
        return line[index];
    if (depth == 16) {
        quint16 value = 0;
        std::memcpy(&value, line + 2 * index, sizeof value);
        return value >> 8;
    }
    return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255; // line art: a set bit is black
}

bool Supported(const SANE_Parameters& p) {
    if (p.pixels_per_line <= 0 || p.bytes_per_line <= 0 || p.lines == 0)
        return false;
    const int samples = p.format == SANE_FRAME_RGB ? 3 : 1;
    if (p.depth == 1)
        return p.format == SANE_FRAME_GRAY && p.bytes_per_line * 8 >= p.pixels_per_line;
    return (p.depth == 8 || p.depth == 16) &&
           p.bytes_per_line >= p.pixels_per_line * samples * p.depth / 8 &&
           (p.format == SANE_FRAME_GRAY || p.format == SANE_FRAME_RGB ||
            p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN ||
            p.format == SANE_FRAME_BLUE);
}

// Puts one frame into page: a grey or colour frame fills every channel, a single-colour frame
// (three-pass scanners) only its own.
void PutFrame(QImage& page, const SANE_Parameters& p, const QByteArray& data) {
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const uchar*>(data.constData()) +
                           static_cast<qsizetype>(y) * p.bytes_per_line;
        auto* out = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const QRgb old = out[x];
            switch (p.format) {
            case SANE_FRAME_GRAY: {
                const int v = Sample(line, x, p.depth);
                out[x] = qRgb(v, v, v);
                break;
            }
            case SANE_FRAME_RGB:
                out[x] = qRgb(Sample(line, 3 * x, p.depth), Sample(line, 3 * x + 1, p.depth),
                              Sample(line, 3 * x + 2, p.depth));
                break;
            case SANE_FRAME_RED:
                out[x] = qRgb(Sample(line, x, p.depth), qGreen(old), qBlue(old));
                break;
            case SANE_FRAME_GREEN:
                out[x] = qRgb(qRed(old), Sample(line, x, p.depth), qBlue(old));
                break;
            default:
                out[x] = qRgb(qRed(old), qGreen(old), Sample(line, x, p.depth));
                break;
            }
        }
    }
}

} // namespace

ScanOutcome ScannerSane::scanPage(const ScanRequest& request, const Progress& progress) {
    if (busy_.exchange(true))
        return {ScannerStatus::DeviceBusy, {}};
    const auto idle = qScopeGuard([this] { busy_ = false; });
    cancelled_ = false;
    SANE_Int version = 0;
    if (!started_ && sane_init(&version, nullptr) != SANE_STATUS_GOOD)
        return {ScannerStatus::NoBackend, {}};
    started_ = true;
    progress();
    return Scan(request, progress);
}

ScanOutcome ScannerSane::Scan(const ScanRequest& request, const Progress& progress) {
    QByteArray name = request.device.toLocal8Bit();
    if (name.isEmpty()) {
        const SANE_Device** devices = nullptr;
        if (sane_get_devices(&devices, SANE_FALSE) != SANE_STATUS_GOOD || !devices || !devices[0])
            return {ScannerStatus::NoDevice, {}};
        name = devices[0]->name;
    }
    progress();
    SANE_Handle device = nullptr;
    if (const SANE_Status opened = sane_open(name.constData(), &device); opened != SANE_STATUS_GOOD)
        return {opened == SANE_STATUS_INVAL ? ScannerStatus::NoDevice : FromSane(opened), {}};
    {
        const std::lock_guard hold(handleLock_);
        handle_ = device;
    }
    const auto close = qScopeGuard([this, device] {
        {
            const std::lock_guard hold(handleLock_);
            handle_ = nullptr;
        }
        sane_close(device);
    });
    progress();

    // The device's own settings first (a source, a file): they may change what the station's
    // settings can be.
    for (const QString& setting : request.options) {
        const QString key = setting.section(u'=', 0, 0).trimmed();
        const auto option = FindOption(device, key.toLatin1().constData());
        if (!option || !Settable(*option) ||
            SetText(device, *option, setting.section(u'=', 1)) != SANE_STATUS_GOOD)
            return {ScannerStatus::Invalid, {}};
    }
    SetMode(device, request.colour);
    if (const auto depth = FindOption(device, SANE_NAME_BIT_DEPTH); depth && Settable(*depth))
        (void)SetNumber(device, *depth, Allowed(*depth, request.bitsPerSample));
    double dpi = request.dpi;
    if (const auto resolution = FindOption(device, SANE_NAME_SCAN_RESOLUTION);
        resolution && Settable(*resolution)) {
        (void)SetNumber(device, *resolution, Allowed(*resolution, request.dpi));
        dpi = GetNumber(device, *resolution).value_or(request.dpi);
    }
    SetFrame(device, request.frameInches, static_cast<int>(dpi));

    QImage page;
    std::vector<SANE_Byte> buffer(64 * 1024);
    for (;;) {
        if (cancelled_)
            return {ScannerStatus::Cancelled, {}};
        if (const SANE_Status started = sane_start(device); started != SANE_STATUS_GOOD)
            return {FromSane(started), {}};
        progress();
        SANE_Parameters p{};
        if (const SANE_Status got = sane_get_parameters(device, &p); got != SANE_STATUS_GOOD)
            return {FromSane(got), {}};
        if (!Supported(p))
            return {ScannerStatus::BadFormat, {}};
        if (p.lines > 0 && static_cast<qint64>(p.lines) * p.bytes_per_line > kMaxPageBytes)
            return {ScannerStatus::NoMem, {}};
        QByteArray data;
        for (;;) {
            SANE_Int length = 0;
            const SANE_Status read =
                sane_read(device, buffer.data(), static_cast<SANE_Int>(buffer.size()), &length);
            if (read == SANE_STATUS_EOF)
                break;
            if (read != SANE_STATUS_GOOD)
                return {FromSane(read), {}};
            if (cancelled_)
                return {ScannerStatus::Cancelled, {}};
            progress();
            if (data.size() + length > kMaxPageBytes)
                return {ScannerStatus::NoMem, {}};
            data.append(reinterpret_cast<const char*>(buffer.data()), length);
        }
        const int lines = static_cast<int>(data.size() / p.bytes_per_line);
        if (lines == 0)
            return {ScannerStatus::IoError, {}};
        if (page.isNull()) {
            page = QImage(p.pixels_per_line, lines, QImage::Format_RGB32);
            if (page.isNull())
                return {ScannerStatus::NoMem, {}};
            page.fill(Qt::black);
        } else if (page.width() != p.pixels_per_line || page.height() != lines) {
            return {ScannerStatus::BadFormat, {}};
        }
        PutFrame(page, p, data);
        if (p.last_frame)
            break;
    }
    sane_cancel(device); // one page: the batch ends here

    // A device without the resolution asked for scans finer; the page is brought to the asked one.
    if (std::abs(dpi - request.dpi) > 0.5 && dpi > 0) {
        const double factor = request.dpi / dpi;
        page = page.scaled(static_cast<int>(std::lround(page.width() * factor)),
                           static_cast<int>(std::lround(page.height() * factor)),
                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return {ScannerStatus::Good, page};
}

ScannerSane::~ScannerSane() {
    // A worker still inside the library after a timeout keeps it: the program is ending anyway.
    if (started_ && !busy_)
        sane_exit();
}

void ScannerSane::cancel() {
    cancelled_ = true;
    const std::lock_guard hold(handleLock_);
    if (handle_)
        sane_cancel(static_cast<SANE_Handle>(handle_));
}

} // namespace dvq3
