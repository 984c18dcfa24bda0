#pragma once

#include <span>

#include "window_kit/layout_table.h"

namespace ui {

// The main window, parents listed before their children.
std::span<const kit::ControlSpec> form1Controls();
std::span<const kit::LineSpec> form1Lines();

// A label that names a field beside it: a screen reader names the field by it.
struct Buddy {
    const char* label;
    int labelIndex;
    const char* field;
    int fieldIndex;
};
std::span<const Buddy> form1Buddies();

constexpr int kForm1Width = 10410;  // client area, twips
constexpr int kForm1Height = 7905;

}  // namespace ui
