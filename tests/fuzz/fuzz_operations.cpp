// Arbitrary field texts and plate tables into the three operations: never a
// crash; the captions written before a failure are always a prefix of the
// operation's fixed order, and a run that succeeds writes all of them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "estimate/cost.h"
#include "estimate/panels.h"
#include "estimate/plates.h"
#include "estimate/run_time_error.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Splits the input at '|' into field texts; missing fields are empty.
std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '|' && out.size() < count + 30) {
            out.emplace_back();
        } else {
            out.back() += static_cast<char>(data[i]);
        }
    }
    out.resize(std::max(out.size(), count));
    return out;
}

// Runs an operation and checks what it wrote against its fixed order.
template <typename F>
void run(F&& operation, const std::vector<int>& order) {
    std::vector<int> written;
    bool failed = false;
    try {
        operation([&](int index, const std::string&) { written.push_back(index); });
    } catch (const estimate::RunTimeError&) {
        failed = true;
    }
    require(written.size() <= order.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        require(written[i] == order[i]);
    }
    require(failed || written.size() == order.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = fields(data, size, 12);

    run(
        [&](const estimate::CaptionSink& sink) {
            estimate::panelSizes({f[0], f[1], f[2], f[3]}, sink);
        },
        {0, 1, 2});

    // The fields after the twelfth add plates, three texts each.
    estimate::PlateTable table;
    for (std::size_t i = 12; i + 2 < f.size(); i += 3) {
        const int before = table.count();
        try {
            table.add({f[i], f[i + 1], f[i + 2]});
            require(table.count() == before + 1);
        } catch (const estimate::RunTimeError&) {
            require(table.count() == before);
        }
    }
    try {
        table.add({f[4], f[5], f[6]});
    } catch (const estimate::RunTimeError&) {
    }

    run(
        [&](const estimate::CaptionSink& sink) {
            estimate::costCalculation({f[0], f[1], f[2], f[3], f[7], f[8], f[9], f[10]}, table,
                                      sink);
        },
        {0, 1, 3, 4});
    return 0;
}
