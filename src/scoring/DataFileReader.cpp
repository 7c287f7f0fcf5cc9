#include "scoring/DataFileReader.h"

#include "platform/Codepage.h"
#include "platform/DriveFile.h"
#include "scoring/ScoringMessages.h"

#include <QDir>
#include <QFileInfo>

namespace dvq3 {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringList SplitLines(QByteArray bytes) {
    // A file saved by an editor as UTF-8 may start with a byte-order mark; it is not text.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringList lines = DecodeAnsi(bytes).split(u'\n');
    // The line end of the last line does not start another one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

} // namespace

ValueName::ValueName(const char* format, std::initializer_list<int> numbers) : format_(format) {
    for (int number : numbers)
        if (count_ < static_cast<int>(numbers_.size()))
            numbers_[count_++] = number;
}

QString ValueName::text() const {
    QString text = QString::fromLatin1(format_);
    for (int i = 0; i < count_; ++i)
        text = text.arg(numbers_[i]);
    return text;
}

Error ScoringFault(const QString& problem) {
    return Error::DataFileFault(kScoringStopped + problem);
}

DataFileReader::DataFileReader(QString name, QStringList lines)
    : name_(std::move(name)), lines_(std::move(lines)) {}

Result<DataFileReader> DataFileReader::Open(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    auto bytes = ReadDriveFile(path);
    if (!bytes) {
        if (bytes.error().isDriveFault() &&
            (bytes.error().number() == 53 || bytes.error().number() == 76))
            return ScoringFault(QStringLiteral("%1 is missing from the program folder %2.")
                                    .arg(name, QDir::toNativeSeparators(info.absolutePath())));
        return ScoringFault(
            QStringLiteral("%1 could not be read (%2).").arg(name, bytes.error().text()));
    }
    return FromBytes(name, bytes.value());
}

DataFileReader DataFileReader::FromBytes(const QString& name, const QByteArray& bytes) {
    return DataFileReader(name, SplitLines(bytes));
}

Error DataFileReader::fault(const QString& problem) const {
    return ScoringFault(
        QStringLiteral("%1, line %2: %3.").arg(name_).arg(valueLine_ + 1).arg(problem));
}

Error DataFileReader::fileFault(const QString& problem) const {
    return ScoringFault(QStringLiteral("%1 %2.").arg(name_, problem));
}

Error DataFileReader::earlyEnd(const ValueName& what) const {
    return fileFault(QStringLiteral("ends too early: %1 is missing").arg(what.text()));
}

void DataFileReader::nextLine() {
    ++line_;
    column_ = 0;
    afterComma_ = false;
}

Result<QString> DataFileReader::readString(const ValueName& what) {
    for (;;) {
        if (atEnd())
            return earlyEnd(what);
        const QString& text = lines_[line_];
        qsizetype c = column_;
        while (c < text.size() && IsBlank(text[c]))
            ++c;
        if (c < text.size())
            break;
        valueLine_ = line_;
        if (afterComma_) {
            // A comma that ends the line leaves an empty value behind it.
            nextLine();
            return QString();
        }
        nextLine();
    }
    const QString& text = lines_[line_];
    valueLine_ = line_;
    qsizetype c = column_;
    while (IsBlank(text[c]))
        ++c;

    if (text[c] == u'"') {
        const qsizetype close = text.indexOf(u'"', c + 1);
        if (close < 0)
            return fault(QStringLiteral("%1 has no closing quote").arg(what.text()));
        QString value = text.mid(c + 1, close - c - 1);
        c = close + 1;
        while (c < text.size() && IsBlank(text[c]))
            ++c;
        if (c == text.size()) {
            nextLine();
        } else if (text[c] == u',') {
            column_ = c + 1;
            afterComma_ = true;
        } else {
            return fault(QStringLiteral("%1 has text after its closing quote").arg(what.text()));
        }
        return value;
    }

    const qsizetype comma = text.indexOf(u',', c);
    if (comma < 0) {
        QString value = text.mid(c);
        nextLine();
        return value;
    }
    column_ = comma + 1;
    afterComma_ = true;
    return text.mid(c, comma - c);
}

Result<qint16> DataFileReader::readInteger(const ValueName& what) {
    auto field = readString(what);
    if (!field)
        return field.error();
    const QString text = field.value().trimmed();
    qsizetype i = text.size() > 1 && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    int value = 0;
    bool whole = i < text.size();
    for (; whole && i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        whole = c >= u'0' && c <= u'9' && value <= 32768;
        value = value * 10 + (c - u'0');
    }
    if (text.startsWith(u'-'))
        value = -value;
    if (!whole || value < -32768 || value > 32767)
        return fault(QStringLiteral("%1 is \"%2\", not a whole number from -32768 to 32767")
                         .arg(what.text(), field.value()));
    return static_cast<qint16>(value);
}

Result<qint16> DataFileReader::readBounded(const ValueName& what, int low, int high) {
    auto value = readInteger(what);
    if (!value)
        return value;
    if (value.value() < low || value.value() > high)
        return fault(QStringLiteral("%1 is %2, outside %3 to %4")
                         .arg(what.text())
                         .arg(value.value())
                         .arg(low)
                         .arg(high));
    return value;
}

Result<QString> DataFileReader::readLine(const ValueName& what) {
    if (atEnd())
        return earlyEnd(what);
    valueLine_ = line_;
    QString value = lines_[line_].mid(column_);
    nextLine();
    return value;
}

} // namespace dvq3
