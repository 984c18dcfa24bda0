#include "estimate/run_time_error.h"

#include <utility>

namespace estimate {

const char* errorKindName(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::TypeMismatch:
            return "类型不匹配";
        case ErrorKind::Overflow:
            return "溢出";
        case ErrorKind::SubscriptOutOfRange:
            return "下标越界";
        case ErrorKind::PrinterError:
            return "打印机错误";
    }
    return "未知错误";
}

RunTimeError::RunTimeError(ErrorKind kind) : std::runtime_error(errorKindName(kind)), kind_(kind) {}

RunTimeError::RunTimeError(ErrorKind kind, std::string detail)
    : std::runtime_error(errorKindName(kind)), kind_(kind), detail_(std::move(detail)) {}

std::string RunTimeError::message() const {
    std::string text = std::string("运行时错误：") + errorKindName(kind_);
    if (!detail_.empty()) {
        text += "（" + detail_ + "）";
    }
    return text;
}

}  // namespace estimate
