#pragma once

// The exception classes of the program. Every failure is raised as one of these; what() is the
// message text shown to the user.

#include <cstddef>
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text that cannot be converted to a number or date, or a format that does not fit its arguments.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EArgumentException : public Exception {
public:
    using Exception::Exception;
};

// An index or value outside the range an operation accepts.
class EArgumentOutOfRangeException : public EArgumentException {
public:
    EArgumentOutOfRangeException() : EArgumentException("Argument out of range") {}
    using EArgumentException::EArgumentException;
};

// A value of another kind than the one an operation needs (a JSON array where an object must be).
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
    using Exception::Exception;
};

// An error of the per-user settings store.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// A failed call of the operating system; carries the OS error code (errno on Linux).
class EOSError : public Exception {
public:
    EOSError(const std::string& AMessage, int AErrorCode)
        : Exception(AMessage), FErrorCode(AErrorCode) {}
    int ErrorCode() const noexcept { return FErrorCode; }

private:
    int FErrorCode;
};

// A file or folder that cannot be read or written; the message names the path and the OS reason.
class EFileError : public Exception {
public:
    using Exception::Exception;
};

// Text that is not valid JSON. The message names where (line and column, both counted from 1,
// the column in characters) and why; the parts are kept for callers that report them otherwise.
class EJSONParseError : public Exception {
public:
    EJSONParseError(const std::string& AMessage, size_t ALine, size_t AColumn,
                    const std::string& AReason)
        : Exception(AMessage), FLine(ALine), FColumn(AColumn), FReason(AReason) {}
    size_t Line() const noexcept { return FLine; }
    size_t Column() const noexcept { return FColumn; }
    const std::string& Reason() const noexcept { return FReason; }

private:
    size_t FLine;
    size_t FColumn;
    std::string FReason;
};
