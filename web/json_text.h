#pragma once

#include <string>
#include <vector>

#include "web/form1_model.h"

// The model's state and the window's layout as JSON, for the page's script and
// for the acceptance sessions alike.
namespace web {

// A JSON string: quotes, backslashes and control characters escaped; other
// bytes (UTF-8) as they are.
std::string jsonText(const std::string& text);
std::string jsonTexts(const std::vector<std::string>& texts);

// {"controls": {every field and shown caption by control name}, "List1": [...]}
std::string stateJson(const Form1Model& model);

// {"controls": [{control, kind, container, caption, accessibleName}, ...] in
// the table's order, "buddies": [{label, field}, ...], "homepage", "greeting"}
std::string layoutJson();

}  // namespace web
