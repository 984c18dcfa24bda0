#pragma once

#include <span>
#include <string>

#include "model/layout_table.h"

namespace model {

// The main window, parents listed before their children.
std::span<const ControlSpec> form1Controls();
std::span<const LineSpec> form1Lines();

constexpr int kForm1Width = 10410;  // client area, twips
constexpr int kForm1Height = 7905;

// "T_Main(0)" for an element of a control array, "Text2" for a single control:
// a control's name in the model, the page and the widgets alike.
std::string controlName(const char* name, int index);
std::string controlName(const ControlSpec& entry);

}  // namespace model
