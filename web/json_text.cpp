#include "web/json_text.h"

#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <system_error>

#include "estimate/float_chars.h"
#include "model/form1_layout.h"
#include "model/homepage.h"
#include "model/input_numb.h"
#include "report/page_layout.h"
#include "report/picture_layout.h"

namespace web {
namespace {

using model::ControlKind;
using model::Role;

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::ListBox:
            return "ListBox";
    }
    return "";
}

const char* roleName(Role role) {
    switch (role) {
        case Role::Plain:
            return "plain";
        case Role::Field:
            return "field";
        case Role::Result:
            return "result";
        case Role::UnseenResult:
            return "unseen result";
        case Role::Heading:
            return "heading";
        case Role::Emphasis:
            return "emphasis";
        case Role::Link:
            return "link";
        case Role::Names:
            return "names";
        case Role::Close:
            return "close";
    }
    return "";
}

// A number for JSON: up to 17 significant digits, which give a double back.
std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string jsonOrNull(const char* text) {
    return text == nullptr ? "null" : jsonText(text);
}

// Appends the pieces in order. Every JSON text here is built by appending:
// MinGW's GCC 12 warns wrongly (-Wrestrict) on a literal added to a string.
void add(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) {
        out.append(piece);
    }
}

}  // namespace

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string jsonTexts(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        add(out, {i == 0 ? "" : ", ", jsonText(texts[i])});
    }
    out += "]";
    return out;
}

std::string stateJson(const model::Form1Model& model) {
    std::string out = "{\"controls\": {";
    bool first = true;
    for (const auto* controls : {&model.fields(), &model.results()}) {
        for (const std::string& control : *controls) {
            add(out, {first ? "" : ", ", jsonText(control), ": ", jsonText(model.text(control))});
            first = false;
        }
    }
    add(out, {"}, \"List1\": ", jsonTexts(model.List1()), "}"});
    return out;
}

std::string layoutJson() {
    std::string out = "{\"controls\": [";
    bool first = true;
    for (const model::ControlSpec& entry : model::form1Controls()) {
        add(out, {first ? "" : ", ", "{\"control\": ", jsonText(model::controlName(entry)),
                  ", \"kind\": ", jsonText(kindName(entry.kind)), ", \"role\": ",
                  jsonText(roleName(entry.role)), ", \"names\": ", jsonOrNull(entry.names),
                  ", \"container\": ", jsonOrNull(entry.container),
                  ", \"caption\": ", jsonOrNull(entry.caption),
                  ", \"accessibleName\": ", jsonOrNull(entry.accessibleName), "}"});
        first = false;
    }
    add(out, {"], \"typed\": ", jsonText(model::charactersTyped()),
              ", \"homepage\": ", jsonText(model::kHomepageUrl),
              ", \"greeting\": ", jsonText(model::kHomepageGreeting), "}"});
    return out;
}

std::string reportJson(const std::vector<std::string>& lines, report::PageGeometry geometry,
                       double facePoints) {
    std::string out;
    add(out, {"{\"pitch\": ", std::to_string(report::kPitch), ", \"left\": ",
              std::to_string(report::kLeft), ", \"twipsPerInch\": ", number(report::kTwipsPerInch),
              ", \"facePoints\": ", number(facePoints), ", \"lines\": ["});
    bool first = true;
    for (const report::PlacedLine& line : report::placeLines(lines, geometry)) {
        add(out, {first ? "" : ", ", "{\"page\": ", std::to_string(line.page), ", \"top\": ",
                  std::to_string(line.top), ", \"text\": ", jsonText(line.text), "}"});
        first = false;
    }
    out += "]}";
    return out;
}

std::string pictureJson(std::size_t lines, double widest, double lineHeight, int dpi) {
    const report::PictureLayout layout = report::pictureLayout(lines, widest, lineHeight, dpi);
    std::string out;
    add(out, {"{\"width\": ", std::to_string(layout.width),
              ", \"height\": ", std::to_string(layout.height),
              ", \"margin\": ", number(layout.margin), ", \"tops\": ["});
    for (std::size_t i = 0; i < lines; ++i) {
        add(out, {i == 0 ? "" : ", ", number(report::pictureLineTop(layout, i))});
    }
    out += "]}";
    return out;
}

std::string pictureJson(std::string_view arguments) {
    double numbers[4];
    for (double& number : numbers) {
        const auto tab = arguments.find('\t');
        const std::string_view text = arguments.substr(0, tab);
        const auto [end, error] =
            estimate::fixedFromChars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
            !(number >= 0 && number <= 1e6)) {
            return "null";
        }
        arguments = tab == std::string_view::npos ? std::string_view() : arguments.substr(tab + 1);
    }
    return pictureJson(static_cast<std::size_t>(numbers[1]), numbers[2], numbers[3],
                       static_cast<int>(numbers[0]));
}

}  // namespace web
