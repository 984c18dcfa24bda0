#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/form1_model.h"
#include "report/line_printer.h"

// The model's state and the window's layout as JSON, for the page's script and
// for the acceptance sessions alike.
namespace web {

// A JSON string: quotes, backslashes and control characters escaped; other
// bytes (UTF-8) as they are.
std::string jsonText(const std::string& text);
std::string jsonTexts(const std::vector<std::string>& texts);

// {"controls": {every field and shown result by control name}, "List1": [...]}
std::string stateJson(const model::Form1Model& model);

// {"controls": [{control, kind, role, names, container, caption,
// accessibleName}, ...] in the table's order, "typed": the characters a typed
// key may put into a field, "homepage", "greeting"}
std::string layoutJson();

// The report's lines placed on pages of GEOMETRY as the window's print places
// them, in a face of FACE_POINTS: {"pitch": twips between lines, "left": twips,
// "twipsPerInch", "facePoints", "lines": [{"page", "top", "text"}, ...]}.
std::string reportJson(const std::vector<std::string>& lines, report::PageGeometry geometry,
                       double facePoints);

// The report's picture (report/picture_layout.h) of LINES lines at DPI, the
// widest WIDEST pixels and each LINE_HEIGHT pixels tall: {"width", "height",
// "margin", "tops": [each line's top]}, in pixels.
std::string pictureJson(std::size_t lines, double widest, double lineHeight, int dpi);
// The same from a request's arguments, "DPI\tLINES\tWIDEST\tLINE_HEIGHT";
// "null" unless they are four numbers from 0 to a million.
std::string pictureJson(std::string_view arguments);

}  // namespace web
