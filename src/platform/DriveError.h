#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace dvq3 {

// A failed operation on the data drive (or another file the station depends on), carrying the
// error number the start-up and drive handlers test: 52 bad file name, 53 file not found,
// 57 device I/O error, 61 disk full, 70 permission denied, 71 disk not ready, 76 path not found.
struct DriveError {
    // Not a file system error: the station refused the operation to keep the stored bytes
    // intact; the description is the whole message for the user.
    static constexpr int kRefused = -1;

    int number = 0;
    QString description;

    bool refused() const { return number == kRefused; }
    // What the user is told: "Error n:description", or the refusal's own message.
    QString text() const {
        return refused() ? description : QStringLiteral("Error %1:%2").arg(number).arg(description);
    }
};

// The standard description of an error number.
QString DriveErrorDescription(int number);
// The error number an errno value stands for (missingFolder: ENOENT names a folder, 76).
int DriveErrorNumber(int errnoValue, bool missingFolder = false);
DriveError DriveErrorFromErrno(int errnoValue, bool missingFolder = false);

// What an operation gives back: a value, or the error that stopped it.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(DriveError error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const DriveError& error() const { return *error_; }

private:
    std::optional<T> value_;
    std::optional<DriveError> error_;
};

// The result of an operation that gives nothing back but may fail.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(DriveError error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const DriveError& error() const { return *error_; }

private:
    std::optional<DriveError> error_;
};

} // namespace dvq3
