#pragma once

#include <QIcon>
#include <span>

namespace ui {

// One size of the program's icon: size x size premultiplied ARGB pixels.
struct IconPixels {
    int size;
    const unsigned int* argb;
};

// Made at build time from packaging/icons (16, 32 and 48 px), where the build
// machine can run the tool that makes them.
std::span<const IconPixels> programIconPixels();

// The program's icon, compiled in: from those pixels where there are some, so no
// image file is decoded and no image-format plugin is looked up while the window
// starts; else from the PNGs.
QIcon programIcon();

}  // namespace ui
