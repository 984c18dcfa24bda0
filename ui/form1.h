#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/form1_model.h"
#include "report/line_printer.h"
#include "ui/key_filter.h"
#include "window_kit/caption_label.h"
#include "window_kit/layout_builder.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {

// The main window: the view of the main window's model, which holds the
// estimate for the whole run. At a click it hands the model the fields' texts
// as they stand and runs the button's operation there, showing each caption and
// plate line the moment the model writes it; a failure leaves those shown and
// puts up the error box.
class Form1 : public QWidget, private model::Form1Model::View {
    Q_OBJECT

  public:
    // `printers` makes the printer each press of "打印" prints on; without one,
    // printing is the printer error.
    explicit Form1(report::PrinterFactory printers = {}, QWidget* parent = nullptr);

    // The operations behind the buttons and the homepage link.
    void Command2_Click();   // "确定": the panel sizes
    void Command1_Click();   // "增加": add a plate
    void Com_Count_Click();  // "开始计算": the costs
    void Com_Print_Click();  // "打印预览": the report in the modal preview
    void Command5_Click();   // "关闭退出": end the program
    void Label24_Click();    // open the homepage

    const estimate::PlateTable& plateTable() const { return model_.plateTable(); }

    // The controls, by the names the rules are written in.
    std::array<QLineEdit*, 3> T_Main{};
    std::array<QLineEdit*, 3> T_FU{};
    QLineEdit* T_mb = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    std::array<kit::CaptionLabel*, 3> LabSize{};
    // (2) is never seen: it is kept off the window, where it would only be an
    // empty label to a screen reader.
    std::array<kit::CaptionLabel*, 5> Label_HeJi{};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Com_Count = nullptr;
    QPushButton* Com_Print = nullptr;
    QPushButton* Command5 = nullptr;
    QListWidget* List1 = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label24 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void findControls();
    // What each control's role in the table asks of the window.
    void applyRoles();
    void applyLooks();
    // The button named CONTROL: its operation in the model, with the fields as
    // they stand; "打印预览" shows the report it gives.
    void click(const std::string& control);
    void captionWritten(const std::string& control, const std::string& text) override;
    void plateListed(const std::string& line) override;

    kit::BuiltLayout layout_;
    std::vector<std::unique_ptr<QWidget>> unseen_;  // results kept off the window
    KeyFilter keyFilter_;
    model::Form1Model model_;
    report::PrinterFactory printers_;
};

}  // namespace ui
