#pragma once

#include <map>
#include <string>
#include <vector>

#include "estimate/plates.h"

// The main window without a window, for the phone page: the texts of its
// fields and captions by the window's control names ("T_Main(0)", "Text2",
// "LabSize(2)", "Label_HeJi(4)", ...), its plate list and its plate table, and
// the operations behind its buttons, which read and write them as the window's
// do. The page shows what it holds; the acceptance sessions run on it natively.
namespace web {

// "T_Main(0)" for an element of a control array, "Text2" for a single control.
std::string controlName(const char* name, int index);

class Form1Model {
  public:
    // Every field and caption as the window starts.
    Form1Model();

    // The text of a field or caption; a name the window lacks is empty.
    std::string text(const std::string& control) const;
    // Puts text into a field as typed or pasted; false for a name that is not
    // one of the window's fields.
    bool setField(const std::string& control, const std::string& text);

    // The operations; each returns the message of the error box, empty when it
    // succeeded. Captions written before a failure stay written.
    std::string Command2_Click();   // "确定"
    std::string Command1_Click();   // "增加"
    std::string Com_Count_Click();  // "开始计算"
    // "打印预览": the report lines, from the captions as they stand.
    std::vector<std::string> Com_Print_Click() const;

    const std::vector<std::string>& List1() const { return list_; }
    // The texts of each plate added, in order: what its line was made from.
    const std::vector<estimate::PlateFields>& platesAdded() const { return added_; }
    // Whether the last "确定" and the last "开始计算" succeeded: the captions
    // they wrote are then those the fields give.
    bool sizesShown() const { return sizesShown_; }
    bool costsShown() const { return costsShown_; }

    // The window's fields, and the result captions it shows (LabSize and
    // Label_HeJi but (2), which lies under the banner), in the table's order.
    const std::vector<std::string>& fields() const { return fields_; }
    const std::vector<std::string>& results() const { return results_; }

  private:
    template <typename Operation>
    std::string run(Operation&& operation);

    std::vector<std::string> fields_;
    std::vector<std::string> results_;
    std::map<std::string, std::string> texts_;
    std::vector<std::string> list_;
    std::vector<estimate::PlateFields> added_;
    estimate::PlateTable plates_;
    bool sizesShown_ = false;
    bool costsShown_ = false;
};

}  // namespace web
