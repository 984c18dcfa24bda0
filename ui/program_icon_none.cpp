#include "ui/program_icon.h"

namespace ui {

// No pixels: the windows take the icon of the program file itself.
std::span<const IconPixels> programIconPixels() {
    return {};
}

}  // namespace ui
