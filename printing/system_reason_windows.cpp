#include <windows.h>
#include <winspool.h>

#include <string>

#include "printing/system_reason.h"

namespace printing {
namespace {

// The system's own text for an error code, in the user's language, without the
// line end it comes with; empty for no error.
std::string systemText(DWORD code) {
    if (code == ERROR_SUCCESS) {
        return {};
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", length);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) {
        wide.pop_back();
    }
    if (wide.empty()) {
        return "错误 " + std::to_string(code);  // a code the system has no text for
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    return utf8;
}

// What went wrong in the program's words, then the system's reason after a colon.
std::string withSystemText(const char* what, DWORD code) {
    const std::string reason = systemText(code);
    return reason.empty() ? what : std::string(what) + "：" + reason;
}

}  // namespace

std::string noPrinterReason() {
    DWORD size = 0;
    if (GetDefaultPrinterW(nullptr, &size) || GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        return unusablePrinterReason(ERROR_SUCCESS);  // there is one, but it could not be opened
    }
    // Without a default printer the system answers "file not found": name the
    // printer, so the box is understood.
    return withSystemText("没有默认打印机", GetLastError());
}

std::string unusablePrinterReason(unsigned long systemCode) {
    return withSystemText("默认打印机无法使用", systemCode);
}

std::string spoolerReason(unsigned long systemCode) {
    return withSystemText("打印后台处理程序没有接受文档", systemCode);
}

}  // namespace printing
