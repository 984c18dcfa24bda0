#include <cstdlib>
#include <initializer_list>

#include "app/display_check.h"

// On X11 and Wayland desktops a window needs one of these variables; the toolkit
// may also be pointed at a platform of its own (offscreen, for instance).
bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return true;
        }
    }
    return false;
}
