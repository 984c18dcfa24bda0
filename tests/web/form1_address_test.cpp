#include "web/form1_address.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/form1_model.h"
#include "web/bridge_answer.h"

namespace web {
namespace {

using model::Form1Model;

// Every field, and the texts that need escaping: the address's separators,
// the escape itself, a NUL, Chinese and a character outside the BMP.
TEST(Form1Address, EveryTextComesBackAsItWasHanded) {
    Form1Model model;
    const std::vector<std::string> texts = {"60",
                                            "",
                                            "1.5",
                                            "a&b=c",
                                            "1,2*3",
                                            "%41",
                                            std::string("1\0"
                                                        "2",
                                                        3),
                                            "六十",
                                            "5🐟",
                                            "#x?y",
                                            " 7 ",
                                            "0"};
    for (std::size_t i = 0; i < model.fields().size(); ++i) {
        model.setField(model.fields()[i], texts[i % texts.size()]);
    }
    Form1Model reopened;
    EXPECT_EQ(openAddress(reopened, addressOf(model)), "");
    for (const std::string& field : model.fields()) {
        EXPECT_EQ(reopened.text(field), model.text(field)) << field;
    }
}

TEST(Form1Address, PlatesAndOperationsReplayAsTheyRan) {
    Form1Model model;
    for (const auto& [control, text] : std::vector<std::pair<std::string, std::string>>{
             {"T_Main(0)", "60"}, {"T_Main(1)", "30"}, {"T_Main(2)", "40"}, {"Text1", "100"}}) {
        model.setField(control, text);
    }
    ASSERT_EQ(model.click("Command2").error, "");
    model.setField("T_FU(0)", "20");
    ASSERT_EQ(model.click("Command1").error, "");
    model.setField("T_FU(0)", ".");
    ASSERT_NE(model.click("Command1").error, "");  // a failed add is no plate
    model.setField("T_FU(0)", "25");
    ASSERT_EQ(model.click("Com_Count").error, "");
    const std::string address = addressOf(model);
    EXPECT_NE(address.find("&p=20*0*1&r=Command2,Com_Count"), std::string::npos) << address;
    Form1Model reopened;
    EXPECT_EQ(openAddress(reopened, address), "");
    EXPECT_EQ(reopened.List1(), model.List1());
    EXPECT_EQ(reopened.click("Com_Print").report, model.click("Com_Print").report);
    // A failed run is not in the address: its captions are not the fields'.
    model.setField("Text1", "x");
    ASSERT_NE(model.click("Com_Count").error, "");
    EXPECT_NE(addressOf(model).find("&r=Command2"), std::string::npos);
    EXPECT_EQ(addressOf(model).find("Com_Count"), std::string::npos);
}

std::string plates(int count, const std::string& plate) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out.append(i == 0 ? "" : ",").append(plate);
    }
    return out;
}

// Addresses a person could be sent: each opens with what can be read, runs
// each text through the operation and stops at the first that fails.
TEST(Form1Address, WhatCannotBeReadIsLeftOut) {
    struct Case {
        const char* what;
        std::string address;
        std::string text1;  // the first field afterwards
        std::size_t plates;
        bool fails;
    };
    const std::string full = "v=1&p=" + plates(10000, "1*1*1");
    const std::vector<Case> cases = {
        {"empty", "", "0", 0, false},
        {"another format", "v=2&f=7&p=1*1*1", "0", 0, false},
        {"no format", "f=7&p=1*1*1", "0", 0, false},
        {"a broken escape", "v=1&f=%zz,30", "0", 0, false},
        {"an escape cut short", "v=1&f=7%4", "0", 0, false},
        {"bytes that are no text", "v=1&f=%E4%B8", "0", 0, false},
        {"an overlong byte", "v=1&f=%C0%B1", "0", 0, false},
        {"a lone surrogate", "v=1&f=%ED%A0%80", "0", 0, false},
        {"a script is only a text", "v=1&f=%3Cscript%3E&r=Com_Count", "<script>", 0, true},
        {"garbled plates are left out", "v=1&f=7&p=1*1,1*1*1*1,%zz*1*1,2*3*4", "7", 1, false},
        {"an unknown operation", "v=1&f=7&r=Form_Unload,Command5", "7", 0, false},
        {"the first part of a name wins", "v=1&f=8&f=9", "8", 0, false},
        {"a plate the table cannot take", full, "0", 101, true},
        {"a plate that fails stops the replay", "v=1&p=1*1*1,x*1*1,2*2*2&r=Com_Count", "0", 1,
         true},
    };
    for (const Case& each : cases) {
        Form1Model model;
        const std::string error = openAddress(model, each.address);
        EXPECT_EQ(model.text("Text1"), each.text1) << each.what;
        EXPECT_EQ(model.List1().size(), each.plates) << each.what;
        EXPECT_EQ(!error.empty(), each.fails) << each.what << ": " << error;
    }
    // A megabyte of anything opens too.
    Form1Model model;
    openAddress(model, "v=1&f=" + std::string(1 << 20, '%'));
    EXPECT_EQ(model.text("Text1"), "0");
}

// Whatever a call throws reaches the page as a failure it can show.
TEST(BridgeAnswer, NothingThrownLeavesTheEngine) {
    std::string kept;
    EXPECT_STREQ(bridgeAnswer(kept, [] { return std::string("{}"); }), "{}");
    EXPECT_STREQ(bridgeAnswer(kept, []() -> std::string { throw std::bad_alloc(); }),
                 kOutOfMemoryAnswer);
    EXPECT_STREQ(bridgeAnswer(kept, []() -> std::string { throw std::out_of_range("\"x\"\n"); }),
                 "{\"failure\": \"计算器出错：x\"}");
    EXPECT_STREQ(bridgeAnswer(kept, []() -> std::string { throw 42; }),
                 "{\"failure\": \"计算器出错：未知的错误\"}");
}

}  // namespace
}  // namespace web
