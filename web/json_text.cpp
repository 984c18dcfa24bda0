#include "web/json_text.h"

#include <cstdio>

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

// The window shows it: a field, or a result caption other than Label_HeJi(2),
// which lies under the banner.
bool shownState(const kit::ControlSpec& spec) {
    const std::string name = spec.name;
    return spec.kind == kit::ControlKind::TextBox || name == "LabSize" ||
           (name == "Label_HeJi" && spec.index != 2);
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
    return out + "\"";
}

std::string jsonTexts(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += (i == 0 ? "" : ", ") + jsonText(texts[i]);
    }
    return out + "]";
}

std::string stateJson(const Form1Model& model) {
    std::string out = "{\"controls\": {";
    bool first = true;
    for (const kit::ControlSpec& spec : ui::form1Controls()) {
        if (shownState(spec)) {
            const std::string control = controlName(spec.name, spec.index);
            out += (first ? "" : ", ") + jsonText(control) + ": " + jsonText(model.text(control));
            first = false;
        }
    }
    return out + "}, \"List1\": " + jsonTexts(model.List1()) + "}";
}

std::string layoutJson() {
    std::string out = "{\"controls\": [";
    bool first = true;
    for (const kit::ControlSpec& spec : ui::form1Controls()) {
        out += std::string(first ? "" : ", ") +
               "{\"control\": " + jsonText(controlName(spec.name, spec.index)) +
               ", \"kind\": " + jsonText(kindName(spec.kind)) +
               ", \"container\": " + jsonOrNull(spec.container) +
               ", \"caption\": " + jsonOrNull(spec.caption) +
               ", \"accessibleName\": " + jsonOrNull(spec.accessibleName) + "}";
        first = false;
    }
    out += "], \"buddies\": [";
    first = true;
    for (const ui::Buddy& buddy : ui::form1Buddies()) {
        out += std::string(first ? "" : ", ") +
               "{\"label\": " + jsonText(controlName(buddy.label, buddy.labelIndex)) +
               ", \"field\": " + jsonText(controlName(buddy.field, buddy.fieldIndex)) + "}";
        first = false;
    }
    return out + "], \"homepage\": " + jsonText(ui::kHomepageUrl) +
           ", \"greeting\": " + jsonText(ui::kHomepageGreeting) + "}";
}

}  // namespace web
