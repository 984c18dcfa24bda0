// Any bytes into the text-to-number conversions: a number or the conversion's
// own error, never a crash; and a text that converts converts to the same value
// with leading zeros or surrounding spaces added.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "estimate/conversions.h"
#include "estimate/run_time_error.h"

namespace {

template <typename T, typename F>
bool convert(F&& f, std::string_view text, T& out) {
    try {
        out = f(text);
        return true;
    } catch (const estimate::RunTimeError& e) {
        if (e.kind() != estimate::ErrorKind::TypeMismatch &&
            e.kind() != estimate::ErrorKind::Overflow) {
            std::abort();
        }
        return false;
    }
}

// The same number written differently: zeros after the sign, spaces around.
std::string padded(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    std::string_view core = text.substr(start, end - start + 1);
    std::string out = "  ";
    if (core.front() == '+' || core.front() == '-') {
        out += core.front();
        core.remove_prefix(1);
    }
    out += "000";
    out += core;
    out += " \t";
    return out;
}

template <typename T>
bool same(T a, T b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

template <typename T, typename F>
void check(F&& f, std::string_view text) {
    T value{};
    if (!convert<T>(f, text, value)) {
        return;
    }
    T again{};
    if (!convert<T>(f, padded(text), again) || !same(value, again)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check<float>([](std::string_view t) { return estimate::toSingle(t); }, text);
    check<double>([](std::string_view t) { return estimate::toDouble(t); }, text);
    check<std::int16_t>([](std::string_view t) { return estimate::toInteger(t); }, text);
    return 0;
}
