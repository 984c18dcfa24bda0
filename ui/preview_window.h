#pragma once

#include <QDialog>
#include <string>

#include "report/line_printer.h"
#include "window_kit/layout_builder.h"

class QListWidget;
class QPushButton;

namespace ui {

// The print preview: the report lines in a list, "打印" to print them and "关闭"
// to close. Shown modally over the main window and discarded when closed, so
// every preview starts from an empty list.
class FrmPrint : public QDialog {
    Q_OBJECT

  public:
    FrmPrint(report::PrinterFactory printers, QWidget* parent);

    void addLine(const std::string& line);

    void Command1_Click();  // "打印": one new document of every line
    void Command2_Click();  // "关闭"

    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

  protected:
    // Enter does not print and Escape does not close: the window has neither a
    // default nor a cancel button.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    kit::BuiltLayout layout_;
    report::PrinterFactory printers_;
};

}  // namespace ui
