// The engine as the page's script calls it: one function that takes a request
// and answers in JSON. Requests, as UTF-8 bytes with their length (a field may
// hold a NUL, which a C string would cut off):
//   "layout"                  the window's layout table
//   "set\tCONTROL\tTEXT"      puts TEXT into a field: true, or false for no field
//   "click\tCONTROL"          runs Command2, Command1 or Com_Count
//   "open\tADDRESS"           opens the estimate of a page's address (its
//                             fragment) on the fresh model
//   "report"                  the report lines, from the captions as they stand,
//                             placed on A4 paper (reportJson)
// "click" and "open" answer {"error": the box's message or "", "state": {...},
// "address": the fragment that carries the estimate now}. Whatever else goes
// wrong in a call (memory runs out) answers {"failure": message}, never an
// exception into the page. The answer stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

#include "report/line_printer.h"
#include "web/bridge_answer.h"
#include "web/form1_address.h"
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

std::string operated(const std::string& error) {
    std::string out = "{\"error\": ";
    out.append(web::jsonText(error)).append(", \"state\": ").append(web::stateJson(model()));
    out.append(", \"address\": ").append(web::jsonText(web::addressOf(model())));
    out += '}';
    return out;
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
    if (verb == "open") {
        return operated(web::openAddress(model(), rest));
    }
    if (verb == "click") {
        if (rest == "Command2") {
            return operated(model().Command2_Click());
        }
        if (rest == "Command1") {
            return operated(model().Command1_Click());
        }
        if (rest == "Com_Count") {
            return operated(model().Com_Count_Click());
        }
    }
    return "null";
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmere_call(const char* request, int length) {
    static std::string last;
    return web::bridgeAnswer(
        last, [&] { return answer(std::string_view(request, static_cast<std::size_t>(length))); });
}
