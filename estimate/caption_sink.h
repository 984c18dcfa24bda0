#pragma once

#include <functional>
#include <string>

namespace estimate {

// Receives each caption the moment an operation has made it: the index of the
// label in its control array and the caption text (UTF-8). Writing through a sink
// rather than returning a result keeps the captions made before a failure.
using CaptionSink = std::function<void(int index, const std::string& caption)>;

}  // namespace estimate
