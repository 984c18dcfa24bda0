// The engine as the page's script calls it: one function that takes a request
// and answers in JSON. Requests, as UTF-8 bytes with their length (a field may
// hold a NUL, which a C string would cut off):
//   "layout"                  the window's layout table
//   "set\tCONTROL\tTEXT"      puts TEXT into a field: true, or false for no field
//   "click\tCONTROL"          runs Command2, Command1 or Com_Count:
//                             {"error": message or "", "state": {...}}
//   "report"                  the report lines, from the captions as they stand,
//                             placed on A4 paper (reportJson)
// The answer stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

#include "report/line_printer.h"
#include "web/form1_model.h"
#include "web/json_text.h"

namespace {

// An A4 sheet printed edge to edge, in twips, and a line of the page's
// 10.5-point print face.
constexpr report::PageGeometry kA4{16838, 300};

web::Form1Model& model() {
    static web::Form1Model form;
    return form;
}

std::string answer(std::string_view request) {
    const auto tab = request.find('\t');
    const std::string_view verb = request.substr(0, tab);
    const std::string_view rest = tab == std::string_view::npos ? "" : request.substr(tab + 1);
    if (verb == "layout") {
        return web::layoutJson(model());
    }
    if (verb == "report") {
        return web::reportJson(model().Com_Print_Click(), kA4);
    }
    if (verb == "set") {
        const auto split = rest.find('\t');
        if (split == std::string_view::npos) {
            return "false";
        }
        return model().setField(std::string(rest.substr(0, split)),
                                std::string(rest.substr(split + 1)))
                   ? "true"
                   : "false";
    }
    if (verb == "click") {
        std::string error;
        if (rest == "Command2") {
            error = model().Command2_Click();
        } else if (rest == "Command1") {
            error = model().Command1_Click();
        } else if (rest == "Com_Count") {
            error = model().Com_Count_Click();
        } else {
            return "null";
        }
        std::string out = "{\"error\": ";
        out.append(web::jsonText(error)).append(", \"state\": ").append(web::stateJson(model()));
        out += '}';
        return out;
    }
    return "null";
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmere_call(const char* request, int length) {
    static std::string last;
    last = answer(std::string_view(request, static_cast<std::size_t>(length)));
    return last.c_str();
}
