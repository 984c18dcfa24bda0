#include "app/display_check.h"

// The desktop is part of the system: there is always somewhere to show a window.
bool displayAvailable() {
    return true;
}
