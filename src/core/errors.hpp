#pragma once
// The program's failures. Every message is a Shift-JIS byte string, ready for the error display
// or, decoded, for the terminal.

#include <exception>
#include <string>
#include <string_view>

namespace rozuduzod {

// Base of every failure the program reports to its user.
class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// A text that does not hold what it should (a number, a date, a savable field).
class EConvertError : public Exception {
    using Exception::Exception;
};

// A file that could not be opened, read, written or closed; Code() is the operating system's
// error in the numbering the user's messages are written for.
class EInOutError : public Exception {
  public:
    explicit EInOutError(int code);
    int Code() const noexcept { return code_; }

  private:
    int code_;
};

class EZeroDivide : public Exception {
  public:
    EZeroDivide();
};

class EInvalidOp : public Exception {
  public:
    EInvalidOp();
};

class EOverflow : public Exception {
  public:
    EOverflow();
};

// File error codes with a message of their own.
namespace io_code {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kSharingViolation = 32;
inline constexpr int kReadBeyondEnd = 100;
inline constexpr int kDiskFull = 101;
inline constexpr int kInvalidNumericInput = 106;
}  // namespace io_code

// The message shown for a file error code: the fixed texts above, else "I/O ｴﾗｰ (code)".
std::string InOutMessage(int code);

// Replaces the first "%s" of a Shift-JIS message pattern by the given bytes, unchanged.
std::string FormatMessage(std::string_view pattern, std::string_view argument);

// The text the error display shows for a message: a full stop is appended unless the message
// is empty or ends in a single byte of value 0x2E or lower.
std::string DisplayText(std::string_view message);

}  // namespace rozuduzod
