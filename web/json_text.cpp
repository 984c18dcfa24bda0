#include "web/json_text.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "report/page_layout.h"
#include "ui/form1_layout.h"
#include "ui/homepage.h"

namespace web {
namespace {

const char* kindName(kit::ControlKind kind) {
    switch (kind) {
        case kit::ControlKind::PictureBox:
            return "PictureBox";
        case kit::ControlKind::Label:
            return "Label";
        case kit::ControlKind::TextBox:
            return "TextBox";
        case kit::ControlKind::Frame:
            return "Frame";
        case kit::ControlKind::CommandButton:
            return "CommandButton";
        case kit::ControlKind::ListBox:
            return "ListBox";
    }
    return "";
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

std::string stateJson(const Form1Model& model) {
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

std::string layoutJson(const Form1Model& model) {
    const auto& results = model.results();
    std::string out = "{\"controls\": [";
    bool first = true;
    for (const auto& entry : ui::form1Controls()) {
        const std::string control = controlName(entry.name, entry.index);
        const bool result = std::find(results.begin(), results.end(), control) != results.end();
        add(out, {first ? "" : ", ", "{\"control\": ", jsonText(control), ", \"kind\": ",
                  jsonText(kindName(entry.kind)), ", \"result\": ", result ? "true" : "false",
                  ", \"container\": ", jsonOrNull(entry.container),
                  ", \"caption\": ", jsonOrNull(entry.caption),
                  ", \"accessibleName\": ", jsonOrNull(entry.accessibleName), "}"});
        first = false;
    }
    out += "], \"buddies\": [";
    first = true;
    for (const ui::Buddy& buddy : ui::form1Buddies()) {
        add(out, {first ? "" : ", ",
                  "{\"label\": ", jsonText(controlName(buddy.label, buddy.labelIndex)),
                  ", \"field\": ", jsonText(controlName(buddy.field, buddy.fieldIndex)), "}"});
        first = false;
    }
    add(out, {"], \"homepage\": ", jsonText(ui::kHomepageUrl),
              ", \"greeting\": ", jsonText(ui::kHomepageGreeting), "}"});
    return out;
}

std::string reportJson(const std::vector<std::string>& lines, report::PageGeometry geometry) {
    std::string out;
    add(out, {"{\"pitch\": ", std::to_string(report::kPitch),
              ", \"left\": ", std::to_string(report::kLeft), ", \"lines\": ["});
    bool first = true;
    for (const report::PlacedLine& line : report::placeLines(lines, geometry)) {
        add(out, {first ? "" : ", ", "{\"page\": ", std::to_string(line.page), ", \"top\": ",
                  std::to_string(line.top), ", \"text\": ", jsonText(line.text), "}"});
        first = false;
    }
    out += "]}";
    return out;
}

}  // namespace web
