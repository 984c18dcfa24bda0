#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "estimate/caption_sink.h"

namespace estimate::testing {

// Keeps every caption an operation writes, in the order written.
struct RecordingSink {
    std::vector<std::pair<int, std::string>> writes;

    CaptionSink sink() {
        return
            [this](int index, const std::string& caption) { writes.emplace_back(index, caption); };
    }

    std::vector<int> indexes() const {
        std::vector<int> out;
        for (const auto& w : writes) {
            out.push_back(w.first);
        }
        return out;
    }
};

// lead followed by that many zeros, such as "1" and 38 zeros for 10^38. Built in
// place: GCC 12 warns falsely about "1" + std::string(n, '0') at -O3.
inline std::string withZeros(std::string_view lead, std::size_t zeros) {
    std::string out(lead);
    out.append(zeros, '0');
    return out;
}

}  // namespace estimate::testing
