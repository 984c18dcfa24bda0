#pragma once

#include <span>

namespace kit {

enum class ControlKind { PictureBox, Label, TextBox, Frame, CommandButton, ListBox };

// One control of a window: where it sits and what it shows. Places and sizes are
// in twips (15 twips make one pixel at 96 dpi), relative to the container's
// top-left corner. `index` is the element of a control array, or -1.
struct ControlSpec {
    const char* name;
    int index;
    ControlKind kind;
    const char* container;  // nullptr: the window's client area
    const char* caption;    // caption, start text or nullptr
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    // What a screen reader says for the control; nullptr: its caption.
    const char* accessibleName = nullptr;
};

// A straight line drawn on a container, in twips.
struct LineSpec {
    const char* name;
    const char* container;
    int x1;
    int y1;
    int x2;
    int y2;
    int red;
    int green;
    int blue;
};

constexpr int kTwipsPerPixel = 15;

// Twips to pixels at 96 dpi, rounded to the nearest pixel.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
}  // namespace kit
