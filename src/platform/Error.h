#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace dvq3 {

// Why an operation failed. Each kind says what the user is told:
// - a refusal: the station declined the operation to keep the stored bytes intact; the
//   description is the whole message;
// - a drive fault: a file operation failed with the error number the start-up and drive
//   handlers test (52 bad file name, 53 file not found, 57 device I/O error, 61 disk full,
//   70 permission denied, 71 disk not ready, 76 path not found), shown as "Error n:description";
// - a database fault: the question database failed with its engine's number (30xx), shown the
//   same way;
// - an imaging fault: the scanner or the imaging layer failed with its control's code (200xx),
//   shown the same way; the scan looks up its own message by the code;
// - a data-file fault: a scoring or report text file is missing or faulty; the description is
//   the whole message and names the file;
// - a printer fault: the printer could not take the report.
class Error {
public:
    enum class Kind {
        Refusal,
        DriveFault,
        DatabaseFault,
        ImagingFault,
        DataFileFault,
        PrinterFault
    };

    static Error Refusal(QString message) { return {Kind::Refusal, 0, std::move(message)}; }
    static Error DriveFault(int number, QString description) {
        return {Kind::DriveFault, number, std::move(description)};
    }
    // A drive fault with the standard description of its number.
    static Error DriveFault(int number);
    static Error DatabaseFault(int number, QString description) {
        return {Kind::DatabaseFault, number, std::move(description)};
    }
    // A database fault with the standard description of its number.
    static Error DatabaseFault(int number);
    static Error ImagingFault(int code, QString description) {
        return {Kind::ImagingFault, code, std::move(description)};
    }
    static Error DataFileFault(QString message) {
        return {Kind::DataFileFault, 0, std::move(message)};
    }
    static Error PrinterFault(QString description) {
        return {Kind::PrinterFault, 0, std::move(description)};
    }

    Kind kind() const { return kind_; }
    bool refused() const { return kind_ == Kind::Refusal; }
    bool isDriveFault() const { return kind_ == Kind::DriveFault; }
    // Whether this is a fault of that kind with that number.
    bool is(Kind kind, int number) const { return kind_ == kind && number_ == number; }
    bool hasNumber() const;
    // The number of a drive, database or imaging fault; asking another kind for one is a
    // programming error.
    int number() const;
    const QString& description() const { return description_; }
    // What the user is told.
    QString text() const;

private:
    Error(Kind kind, int number, QString description)
        : kind_(kind), number_(number), description_(std::move(description)) {}

    Kind kind_;
    int number_;
    QString description_;
};

// The standard description of an error number.
QString DriveErrorDescription(int number);
// The error number an errno value stands for (missingFolder: ENOENT names a folder, 76).
int DriveErrorNumber(int errnoValue, bool missingFolder = false);
Error DriveErrorFromErrno(int errnoValue, bool missingFolder = false);
// Whether a fault means the data disk (or the question database beside the program) is not
// there: the handlers then offer to insert a disk or choose another drive.
bool IsMissingDiskError(const Error& error);

// Stops the program when code misuses an accessor: reading the value of a failed result, an
// index beyond its table. Such a call is a fault of the station, not of the data.
[[noreturn]] void MisuseAbort(const char* what);

// What an operation gives back: a value, or the error that stopped it.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& {
        if (!ok())
            MisuseAbort("the value of a failed result");
        return *value_;
    }
    T&& value() && {
        if (!ok())
            MisuseAbort("the value of a failed result");
        return std::move(*value_);
    }
    const Error& error() const {
        if (ok())
            MisuseAbort("the error of a result that succeeded");
        return *error_;
    }

private:
    std::optional<T> value_;
    std::optional<Error> error_;
};

// The result of an operation that gives nothing back but may fail.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const {
        if (ok())
            MisuseAbort("the error of a status that succeeded");
        return *error_;
    }

private:
    std::optional<Error> error_;
};

} // namespace dvq3
