#include "model/form1_model.h"

#include <gtest/gtest.h>

#include <string>

#include "model/form1_layout.h"

namespace model {
namespace {

// The page hands over whatever a script sends as a control name: only the
// window's fields may take text, never a result, a label or a name it lacks.
TEST(Form1Model, OnlyTheWindowsFieldsTakeText) {
    Form1Model model;
    int fields = 0;
    for (const ControlSpec& entry : form1Controls()) {
        const std::string control = controlName(entry);
        const std::string before = model.text(control);
        const bool field = entry.kind == ControlKind::TextBox;
        EXPECT_EQ(model.setField(control, "12.5"), field) << control;
        EXPECT_EQ(model.text(control), field ? "12.5" : before) << control;
        fields += field ? 1 : 0;
    }
    EXPECT_EQ(model.fields().size(), static_cast<std::size_t>(fields));
    for (const char* stranger :
         {"", "T_Main", "T_Main(99)", "t_main(0)", "T_Main(0) ", "Text2(0)"}) {
        EXPECT_FALSE(model.setField(stranger, "1")) << '"' << stranger << '"';
        EXPECT_EQ(model.text(stranger), "") << '"' << stranger << '"';
    }
}

// A click reaches an operation only by a button that has one; only "打印预览"
// gives the report, and any other name changes nothing.
TEST(Form1Model, OnlyTheOperationsButtonsRunAndOnlyThePreviewGivesTheReport) {
    for (const ControlSpec& entry : form1Controls()) {
        const std::string control = controlName(entry);
        Form1Model model;
        const Form1Model::Clicked clicked = model.click(control);
        const bool operation = control == "Command2" || control == "Command1" ||
                               control == "Com_Count" || control == "Com_Print";
        EXPECT_EQ(Form1Model::operates(control), operation) << control;
        EXPECT_EQ(clicked.error, "") << control;
        EXPECT_EQ(clicked.report.has_value(), control == "Com_Print") << control;
        EXPECT_EQ(model.List1().size(), control == "Command1" ? 1U : 0U) << control;
    }
    Form1Model model;
    for (const char* stranger : {"", "Command5", "command2", "Command2 ", "Com_Print(0)"}) {
        const Form1Model::Clicked clicked = model.click(stranger);
        EXPECT_FALSE(Form1Model::operates(stranger)) << '"' << stranger << '"';
        EXPECT_EQ(clicked.error, "") << '"' << stranger << '"';
        EXPECT_FALSE(clicked.report.has_value()) << '"' << stranger << '"';
    }
    EXPECT_TRUE(model.List1().empty());
    EXPECT_FALSE(model.sizesShown() || model.costsShown());
}

}  // namespace
}  // namespace model
