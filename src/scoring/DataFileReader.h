#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

#include <array>
#include <initializer_list>

namespace dvq3 {

// What a value of a data file is, for the fault message that names it: a format with up to four
// whole numbers ("scale name %1"). It is turned into text only when a fault is found, since
// almost every value read is good.
class ValueName {
public:
    ValueName(const char* format, std::initializer_list<int> numbers = {});
    QString text() const;

private:
    const char* format_;
    std::array<int, 4> numbers_{};
    int count_ = 0;
};

// One scoring or report text file of the program folder, read whole and then consumed value by
// value the way the files are laid out: free-format fields (quoted strings, several values a
// line separated by commas) and whole lines. Every fault comes back as a message that names the
// file, the line and what is wrong, so scoring can stop before any report is written.
class DataFileReader {
public:
    // Reads the file at path (in the program folder); a missing or unreadable file is a fault.
    static Result<DataFileReader> Open(const QString& path);
    // A reader over bytes already in memory (Windows-1252; CR LF or LF line ends).
    static DataFileReader FromBytes(const QString& name, const QByteArray& bytes);

    // The next field: leading blanks skipped, ends at a comma or the end of the line. A quoted
    // value runs to its closing quote, commas and leading blanks included. Lines holding only
    // blanks carry no value and are passed over.
    Result<QString> readString(const ValueName& what);
    // The next field as a whole number that fits 16 bits.
    Result<qint16> readInteger(const ValueName& what);
    // A whole number that must lie in low..high (a count within its bound, an item number).
    Result<qint16> readBounded(const ValueName& what, int low, int high);
    // The rest of the current line (the whole next line after a field ended it).
    Result<QString> readLine(const ValueName& what);

    bool atEnd() const { return line_ >= lines_.size(); }
    const QString& name() const { return name_; }
    const QStringList& lines() const { return lines_; }

    // A fault at the value just read (or being read).
    Error fault(const QString& problem) const;
    // A fault of the file as a whole.
    Error fileFault(const QString& problem) const;

private:
    DataFileReader(QString name, QStringList lines);
    Error earlyEnd(const ValueName& what) const;
    void nextLine();

    QString name_;
    QStringList lines_;
    qsizetype line_ = 0;
    qsizetype column_ = 0;
    bool afterComma_ = false;
    qsizetype valueLine_ = 0; // line of the last value, for messages
};

// The fault message of the scoring files: "Scoring stopped: " and the problem.
Error ScoringFault(const QString& problem);

} // namespace dvq3
