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

}  // namespace
}  // namespace model
