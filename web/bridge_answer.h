#pragma once

#include <exception>
#include <new>
#include <string>

// The one way out of the engine to the page's script: an answer, or a
// failure the page shows in its box. Nothing thrown in a call reaches the
// page, where it would end the module or leave a button doing nothing.
namespace web {

// When even the failure's own text cannot be made.
inline constexpr const char* kOutOfMemoryAnswer =
    "{\"failure\": \"计算器的内存用完了：请关闭本页后重新打开\"}";

// Runs CALL, keeps its answer in KEPT and returns it as a C string, valid
// until the next call; whatever CALL throws becomes {"failure": message}.
template <typename Call>
const char* bridgeAnswer(std::string& kept, Call&& call) noexcept {
    try {
        try {
            kept = call();
        } catch (const std::bad_alloc&) {
            return kOutOfMemoryAnswer;
        } catch (const std::exception& error) {
            kept = "{\"failure\": \"计算器出错：";
            for (const char* c = error.what(); *c != '\0'; ++c) {
                // The text goes into JSON: only what needs no escape.
                if (*c != '"' && *c != '\\' && static_cast<unsigned char>(*c) >= 0x20) {
                    kept += *c;
                }
            }
            kept += "\"}";
        } catch (...) {
            kept = "{\"failure\": \"计算器出错：未知的错误\"}";
        }
        return kept.c_str();
    } catch (...) {
        return kOutOfMemoryAnswer;
    }
}

}  // namespace web
