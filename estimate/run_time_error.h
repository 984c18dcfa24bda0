#pragma once

#include <stdexcept>
#include <string>

namespace estimate {

// The four ways an operation can stop. Each carries the Chinese name the window
// shows in its error message.
enum class ErrorKind { TypeMismatch, Overflow, SubscriptOutOfRange, PrinterError };

// "类型不匹配", "溢出", "下标越界" or "打印机错误".
const char* errorKindName(ErrorKind kind);

// The one exception type of the program. An operation that throws it stops at the
// failing step; whatever it wrote through its sink before that step stays written.
class RunTimeError : public std::runtime_error {
  public:
    explicit RunTimeError(ErrorKind kind);
    // With what the failing party said, e.g. the print system's reason.
    RunTimeError(ErrorKind kind, std::string detail);

    ErrorKind kind() const noexcept { return kind_; }
    const std::string& detail() const noexcept { return detail_; }

    // "运行时错误：" followed by the kind's name, the text of the message box; a
    // detail follows in brackets: "运行时错误：打印机错误（……）".
    std::string message() const;

  private:
    ErrorKind kind_;
    std::string detail_;
};

}  // namespace estimate
