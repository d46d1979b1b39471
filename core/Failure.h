#pragma once

#include <optional>
#include <utility>
#include <variant>

#include <QString>

namespace zelpo {

// The numbers under which the program reports what went wrong. The history loader shows them to
// the user next to the description, so each number keeps one meaning everywhere.
enum FailureCode : int {
    InvalidArgument = 5,
    DataTooLarge = 7,
    TypeMismatch = 13,
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIoError = 57,
    FileAlreadyExists = 58,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathAccessError = 75,
    ControlArrayElementMissing = 340,
};

struct Failure
{
    int code;
    QString description; // Spanish, shown to the user as it stands
    // Another desk kept the file past the wait: nothing was read or written, and trying again
    // later may well succeed.
    bool inUseAtAnotherDesk = false;
};

// A value, or the failure that took its place. Failures are returned, never thrown, so every
// caller decides on the spot how to report them.
template <typename T>
class Result
{
public:
    Result(T value) : m_outcome(std::move(value)) {}
    Result(Failure failure) : m_outcome(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(m_outcome); }
    const T& value() const { return std::get<T>(m_outcome); }
    const Failure& failure() const { return std::get<Failure>(m_outcome); }

private:
    std::variant<T, Failure> m_outcome;
};

// For operations that give nothing back: empty when they succeeded.
using MaybeFailure = std::optional<Failure>;

} // namespace zelpo
