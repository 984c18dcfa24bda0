#pragma once

// Whether the program can show a window. Where it cannot, the toolkit would
// abort with a message about plugins; the program says plainly what it needs.
bool displayAvailable();
