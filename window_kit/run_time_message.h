#pragma once

#include <functional>

class QWidget;

namespace kit {

// Runs an operation of a window. A run-time error stops it where it stands,
// keeps what it wrote, and is shown in a modal message box over `parent`, in
// Chinese, naming the kind of error ("运行时错误：类型不匹配"); returns when the
// box is dismissed. The fields keep everything typed.
void runOperation(QWidget* parent, const std::function<void()>& operation);

}  // namespace kit
