#include "web/form1_address.h"

#include <optional>
#include <vector>

namespace web {
namespace {

constexpr std::string_view kFormat = "1";

bool keptAsIs(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '-' || c == '_' || c == '~';
}

void appendEscaped(std::string& out, const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Whether the bytes are UTF-8 as a typed text is: no stray or overlong bytes,
// no surrogates, nothing past U+10FFFF.
bool isUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (next & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            return false;
        }
        i += length;
    }
    return true;
}

// A text of the address, or nothing for a broken escape or bytes that are no
// typed text. Line breaks go, as a one-line field drops them.
std::optional<std::string> unescaped(std::string_view escaped) {
    std::string text;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        char c = escaped[i];
        if (c == '%') {
            if (i + 2 >= escaped.size()) {
                return std::nullopt;
            }
            const int high = hexValue(escaped[i + 1]);
            const int low = hexValue(escaped[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            c = static_cast<char>(high << 4 | low);
            i += 2;
        }
        if (c != '\r' && c != '\n') {
            text += c;
        }
    }
    if (!isUtf8(text)) {
        return std::nullopt;
    }
    return text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + 1);
    }
}

// The value of KEY's first part, if there is one.
std::optional<std::string_view> part(const std::vector<std::string_view>& parts,
                                     std::string_view key) {
    for (const std::string_view each : parts) {
        if (each.size() > key.size() && each.substr(0, key.size()) == key &&
            each[key.size()] == '=') {
            return each.substr(key.size() + 1);
        }
    }
    return std::nullopt;
}

const char* const kPlateFields[] = {"T_FU(0)", "T_FU(1)", "T_FU(2)"};

}  // namespace

std::string addressOf(const model::Form1Model& model) {
    std::string out = "v=";
    out.append(kFormat).append("&f=");
    bool first = true;
    for (const std::string& field : model.fields()) {
        if (!first) {
            out += ',';
        }
        appendEscaped(out, model.text(field));
        first = false;
    }
    out += "&p=";
    first = true;
    for (const estimate::PlateFields& plate : model.platesAdded()) {
        if (!first) {
            out += ',';
        }
        appendEscaped(out, plate.length);
        out += '*';
        appendEscaped(out, plate.width);
        out += '*';
        appendEscaped(out, plate.count);
        first = false;
    }
    out += "&r=";
    if (model.sizesShown()) {
        out += "Command2";
    }
    if (model.costsShown()) {
        out.append(model.sizesShown() ? "," : "").append("Com_Count");
    }
    return out;
}

std::string openAddress(model::Form1Model& model, std::string_view address) {
    const std::vector<std::string_view> parts = split(address, '&');
    if (part(parts, "v") != kFormat) {
        return {};
    }
    if (const auto fields = part(parts, "f")) {
        const std::vector<std::string_view> texts = split(*fields, ',');
        for (std::size_t i = 0; i < texts.size() && i < model.fields().size(); ++i) {
            if (const auto text = unescaped(texts[i])) {
                model.setField(model.fields()[i], *text);
            }
        }
    }
    if (const auto plates = part(parts, "p"); plates && !plates->empty()) {
        std::string kept[3];
        for (int k = 0; k < 3; ++k) {
            kept[k] = model.text(kPlateFields[k]);
        }
        for (const std::string_view plate : split(*plates, ',')) {
            const std::vector<std::string_view> texts = split(plate, '*');
            if (texts.size() != 3) {
                continue;
            }
            std::optional<std::string> read[3];
            for (int k = 0; k < 3; ++k) {
                read[k] = unescaped(texts[static_cast<std::size_t>(k)]);
            }
            if (!read[0] || !read[1] || !read[2]) {
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                model.setField(kPlateFields[k], *read[k]);
            }
            // The table's own failure, once it is full, ends the replay.
            if (std::string error = model.click("Command1").error; !error.empty()) {
                return error;
            }
        }
        for (int k = 0; k < 3; ++k) {
            model.setField(kPlateFields[k], kept[k]);
        }
    }
    if (const auto runs = part(parts, "r")) {
        const std::vector<std::string_view> names = split(*runs, ',');
        const auto listed = [&](std::string_view name) {
            for (const std::string_view each : names) {
                if (each == name) {
                    return true;
                }
            }
            return false;
        };
        if (listed("Command2")) {
            if (std::string error = model.click("Command2").error; !error.empty()) {
                return error;
            }
        }
        if (listed("Com_Count")) {
            return model.click("Com_Count").error;
        }
    }
    return {};
}

}  // namespace web
