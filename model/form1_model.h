#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/plates.h"

namespace model {

// The main window without a window: the texts of its fields and captions by the
// window's control names ("T_Main(0)", "Text2", "LabSize(2)", "Label_HeJi(4)",
// ...), its plate list and its plate table, and the operations behind its
// buttons, which read the fields and write the captions as they go. The window
// and the phone page are its two views: at a click a view hands it the fields'
// texts as they stand, and it tells the view each caption the moment it writes
// it, so a failure leaves the captions written before it shown.
class Form1Model {
  public:
    // What a view is told as the model writes it.
    class View {
      public:
        virtual ~View() = default;
        virtual void captionWritten(const std::string& control, const std::string& text) = 0;
        virtual void plateListed(const std::string& line) = 0;
    };

    // What a click did: the error box's message, empty when the operation
    // succeeded, and after "打印预览" the report's lines.
    struct Clicked {
        std::string error;
        std::optional<std::vector<std::string>> report;
    };

    // Every field and caption as the window starts.
    Form1Model();

    // The view told of every caption and plate line written from now on; none
    // with nullptr.
    void setView(View* view) { view_ = view; }

    // The text of a field or caption; a name the window lacks is empty.
    std::string text(const std::string& control) const;
    // Puts text into a field as typed or pasted; false for a name that is not
    // one of the window's fields.
    bool setField(const std::string& control, const std::string& text);

    // Whether CONTROL is a button whose operation the model runs: "确定"
    // (Command2), "增加" (Command1), "开始计算" (Com_Count) or "打印预览"
    // (Com_Print).
    static bool operates(std::string_view control) { return operationOf(control) != nullptr; }
    // Runs the operation of the button CONTROL. Throws RunTimeError where it
    // stops; the captions written before stay written. Returns the report's
    // lines for "打印预览", from the captions as they stand, and nothing for the
    // others; a control that runs no operation does nothing.
    std::optional<std::vector<std::string>> operate(std::string_view control);
    // The same for a caller without an error box of its own: the box's message
    // instead of the exception.
    Clicked click(std::string_view control);

    const std::vector<std::string>& List1() const { return list_; }
    const estimate::PlateTable& plateTable() const { return plates_; }
    // The texts of each plate added, in order: what its line was made from.
    const std::vector<estimate::PlateFields>& platesAdded() const { return added_; }
    // Whether the last "确定" and the last "开始计算" succeeded: the captions
    // they wrote are then those the fields give.
    bool sizesShown() const { return sizesShown_; }
    bool costsShown() const { return costsShown_; }

    // The window's fields, and the result captions it shows, in the table's
    // order.
    const std::vector<std::string>& fields() const { return fields_; }
    const std::vector<std::string>& results() const { return results_; }

  private:
    using Report = std::optional<std::vector<std::string>>;
    // A button's operation, by the button's control name.
    struct Operation {
        std::string_view control;
        Report (Form1Model::*run)();
    };
    static const Operation* operationOf(std::string_view control);

    Report Command2_Click();
    Report Command1_Click();
    Report Com_Count_Click();
    Report Com_Print_Click();
    void write(const std::string& control, const std::string& text);

    std::vector<std::string> fields_;
    std::vector<std::string> results_;
    std::map<std::string, std::string> labelOf_;  // a result's name: the label that names it
    std::map<std::string, std::string> texts_;
    std::vector<std::string> list_;
    std::vector<estimate::PlateFields> added_;
    estimate::PlateTable plates_;
    View* view_ = nullptr;
    bool sizesShown_ = false;
    bool costsShown_ = false;
};

}  // namespace model
