#pragma once

class QWidget;

namespace estimate {
class RunTimeError;
}

namespace ui {

// Shows a run-time error in a modal message box over `parent`, in Chinese, naming
// the kind of error ("运行时错误：类型不匹配"); returns when it is dismissed.
void showRunTimeError(QWidget* parent, const estimate::RunTimeError& error);

}  // namespace ui
