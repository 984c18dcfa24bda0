// The engine as the page's script calls it: one function that takes a request
// and answers in JSON. Requests, as UTF-8 bytes with their length (a field may
// hold a NUL, which a C string would cut off):
//   "layout"                  the window's layout table
//   "set\tCONTROL\tTEXT"      puts TEXT into a field: true, or false for no field
//   "click\tCONTROL"          runs the operation of a button, as the window's
//                             click does (Command2, Command1, Com_Count,
//                             Com_Print); null for any other control
//   "open\tADDRESS"           opens the estimate of a page's address (its
//                             fragment) on the fresh model
//   "picture\tDPI\tLINES\tWIDEST\tLINE_HEIGHT"
//                             the report's picture laid out (pictureJson), or
//                             null for arguments that are not four numbers
// "click" and "open" answer {"error": the box's message or "", "state": {...},
// "address": the fragment that carries the estimate now}; "click\tCom_Print"
// adds "report": the report's lines placed on A4 paper (reportJson). Whatever else goes
// wrong in a call (memory runs out) answers {"failure": message}, never an
// exception into the page. The answer stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

#include "model/form1_model.h"
#include "report/line_printer.h"
#include "web/bridge_answer.h"
#include "web/form1_address.h"
#include "web/json_text.h"

namespace {

// The page's print face, and an A4 sheet printed edge to edge, in twips, with
// a line of that face.
constexpr double kFacePoints = 10.5;
constexpr report::PageGeometry kA4{16838, 300};

model::Form1Model& form1() {
    static model::Form1Model form;
    return form;
}

std::string operated(const model::Form1Model::Clicked& clicked) {
    std::string out = "{\"error\": ";
    out.append(web::jsonText(clicked.error))
        .append(", \"state\": ")
        .append(web::stateJson(form1()));
    out.append(", \"address\": ").append(web::jsonText(web::addressOf(form1())));
    if (clicked.report) {
        out.append(", \"report\": ").append(web::reportJson(*clicked.report, kA4, kFacePoints));
    }
    out += '}';
    return out;
}

std::string answer(std::string_view request) {
    const auto tab = request.find('\t');
    const std::string_view verb = request.substr(0, tab);
    const std::string_view rest = tab == std::string_view::npos ? "" : request.substr(tab + 1);
    if (verb == "layout") {
        return web::layoutJson();
    }
    if (verb == "set") {
        const auto split = rest.find('\t');
        if (split == std::string_view::npos) {
            return "false";
        }
        return form1().setField(std::string(rest.substr(0, split)),
                                std::string(rest.substr(split + 1)))
                   ? "true"
                   : "false";
    }
    if (verb == "open") {
        return operated({web::openAddress(form1(), rest), std::nullopt});
    }
    if (verb == "picture") {
        return web::pictureJson(rest);
    }
    if (verb == "click" && model::Form1Model::operates(rest)) {
        return operated(form1().click(rest));
    }
    return "null";
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* quillmere_call(const char* request, int length) {
    static std::string last;
    return web::bridgeAnswer(
        last, [&] { return answer(std::string_view(request, static_cast<std::size_t>(length))); });
}
