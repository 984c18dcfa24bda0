#pragma once

// What a window is made from, as plain data: the windows build their widgets
// from it (window_kit/layout_builder.h), the main window's model and the phone
// page their fields and results.
namespace model {

enum class ControlKind { PictureBox, Label, TextBox, Frame, CommandButton, ListBox };

// What a control is for, beyond what its kind shows: the window, the model and
// the page derive each special case from it.
enum class Role {
    Plain,         // shows its caption: a note, a frame, the banner, a button
    Field,         // a text box the user types into, through the key filter
    Result,        // a caption an operation writes, heard by its own name
    UnseenResult,  // a result caption no one sees, left off the window and the page
    Heading,       // the window's title
    Emphasis,      // a note shown in red
    Link,          // opens the homepage
    Names,         // a label that names the control in `names` beside it
    Close,         // ends the program; a page has nothing to end
};

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
    Role role = Role::Plain;
    // For Role::Names, the control named ("T_Main(0)", "Text1").
    const char* names = nullptr;
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

}  // namespace model
