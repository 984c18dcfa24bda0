#pragma once

#include <QIcon>
#include <span>

namespace ui {

// One size of the program's icon: size x size premultiplied ARGB pixels.
struct IconPixels {
    int size;
    const unsigned int* argb;
};

// Made at build time from packaging/icons (16, 32 and 48 px).
std::span<const IconPixels> programIconPixels();

// The program's icon, from pixels compiled in: no image file is decoded, so no
// image-format plugin is looked up while the window starts.
QIcon programIcon();

}  // namespace ui
