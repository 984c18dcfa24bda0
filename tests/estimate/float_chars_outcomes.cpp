// The fallback conversions compared with the standard library's where the
// fallback ships: in the WebAssembly build, on emscripten's own C library.
//   float_chars_outcomes write FILE    natively: writes the library's outcome
//                                      for every generated text and value
//   float_chars_outcomes compare FILE  in WebAssembly, under node: the
//                                      fallback must give each of them
// A line is "r BITS TEXT -> CONSUMED ERROR VALUE-BITS" for a text read as a
// float (32) or a double (64), "w BITS VALUE-BITS PRECISION -> TEXT" for a
// value written; tabs apart. The fallback makes the line for the same case the
// same way and must match it: the file is made at test time, never kept.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <type_traits>
#include <vector>
#include <version>

#include "estimate/float_chars.h"
#include "tests/estimate/float_chars_cases.h"

namespace {

template <typename Float>
using BitsOf = std::conditional_t<sizeof(Float) == 4, std::uint32_t, std::uint64_t>;

// std::bit_cast, which the web build's C++ library lacks.
template <typename To, typename From>
To bitsAs(From from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

std::string hex(std::uint64_t bits) {
    char text[20];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(bits));
    return text;
}

const char* errorName(std::errc ec) {
    return ec == std::errc() ? "ok" : ec == std::errc::result_out_of_range ? "range" : "invalid";
}

template <typename Float>
std::string readLine(const std::string& text, bool library) {
    Float value = 42;
    const char* end = text.data() + text.size();
    std::from_chars_result result{};
#if defined(__cpp_lib_to_chars)
    if (library) {
        result = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    }
#endif
    if (!library) {
        result = estimate::fallback::fixedFromChars(text.data(), end, value);
    }
    std::string line = "r\t" + std::to_string(sizeof(Float) * 8) + "\t" + text + "\t-> " +
                       std::to_string(result.ptr - text.data()) + " " + errorName(result.ec);
    if (result.ec == std::errc()) {
        line += " " + hex(bitsAs<BitsOf<Float>>(value));
    }
    return line;
}

template <typename Float>
std::string writeLine(Float value, int precision, bool library) {
    char text[1200];
    std::to_chars_result result{text, std::errc::value_too_large};
#if defined(__cpp_lib_to_chars)
    if (library) {
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                               precision);
    }
#endif
    if (!library) {
        result = estimate::fallback::scientificToChars(text, text + sizeof text, value, precision);
    }
    return "w\t" + std::to_string(sizeof(Float) * 8) + "\t" + hex(bitsAs<BitsOf<Float>>(value)) +
           "\t" + std::to_string(precision) + "\t-> " +
           (result.ec == std::errc() ? std::string(text, result.ptr) : "(too long)");
}

#if defined(__cpp_lib_to_chars)
// The library's line for every generated case, in one order.
template <typename Emit>
void everyLibraryLine(Emit&& emit) {
    namespace cases = estimate::float_chars_cases;
    for (const std::string& text : cases::texts()) {
        emit(readLine<float>(text, true));
        emit(readLine<double>(text, true));
    }
    const auto singles = cases::values<float>();
    for (std::size_t i = 0; i < singles.size(); ++i) {
        emit(writeLine(singles[i], cases::precisionAt(i), true));
    }
    const auto doubles = cases::values<double>();
    for (std::size_t i = 0; i < doubles.size(); ++i) {
        emit(writeLine(doubles[i], cases::precisionAt(i), true));
    }
}
#endif

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1) {
        parts.push_back(line.substr(from, tab - from));
    }
    parts.push_back(line.substr(from));
    return parts;
}

// The fallback's line for the case a library line is about: the same text
// read, or the same value written at the same precision.
std::string fallbackLine(const std::string& library) {
    const std::vector<std::string> part = fields(library);
    if (part.size() == 4 && part[0] == "r") {
        return part[1] == "32" ? readLine<float>(part[2], false) : readLine<double>(part[2], false);
    }
    if (part.size() == 5 && part[0] == "w") {
        const auto bits = std::stoull(part[2], nullptr, 16);
        const int precision = std::stoi(part[3]);
        return part[1] == "32"
                   ? writeLine(bitsAs<float>(static_cast<std::uint32_t>(bits)), precision, false)
                   : writeLine(bitsAs<double>(static_cast<std::uint64_t>(bits)), precision, false);
    }
    return "(not a line of outcomes)";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode == "write") {
#if defined(__cpp_lib_to_chars)
        std::ofstream out(argv[2]);
        long lines = 0;
        everyLibraryLine([&](const std::string& line) {
            out << line << '\n';
            ++lines;
        });
        out.close();
        if (!out) {
            std::cerr << "cannot write " << argv[2] << "\n";
            return 1;
        }
        std::cout << lines << " outcomes of the standard library written to " << argv[2] << "\n";
        return 0;
#else
        std::cerr << "this C++ library has no floating-point to_chars and from_chars to write\n";
        return 2;
#endif
    }
    if (mode != "compare") {
        std::cerr << "usage: float_chars_outcomes write|compare FILE\n";
        return 2;
    }
    std::ifstream in(argv[2]);
    if (!in) {
        std::cerr << "cannot read " << argv[2] << "\n";
        return 2;
    }
    long lines = 0, differences = 0;
    for (std::string library; std::getline(in, library); ++lines) {
        const std::string fallback = fallbackLine(library);
        if (fallback != library && ++differences <= 10) {
            std::cout << "the library:  " << library.substr(0, 300)
                      << "\nthe fallback: " << fallback.substr(0, 300) << "\n";
        }
    }
    std::cout << lines << " outcomes of the library compared with the fallback's, " << differences
              << " differ\n";
    // Fewer lines than the cases make is a file cut short.
    return differences == 0 && lines > 250000 ? 0 : 1;
}
