// Runs acceptance sessions on the main window's model, natively, and prints
// what a person would see at the end of each: the results the phone page must
// show for the same session. A session file holds one step a line:
//   session NAME           starts a session on a fresh window
//   type CONTROL TEXT      types TEXT (percent-encoded) over a field's text
//   paste CONTROL TEXT     pastes it there instead: the key filter lets it be
//   click CONTROL          presses a button: Command2, Command1, Com_Count, Com_Print
// and the output is one JSON object per session: its name, every field and
// caption, the plate list, the error messages in the order shown, the report
// lines of the last preview, the page's address at the end and what that
// address opens on a fresh window ("reopened": its state, the message it
// stops at, its report). "session NAME reopens" marks a session whose address
// must reopen it as it ends (runner_check.sh).
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/form1_model.h"
#include "web/form1_address.h"
#include "web/json_text.h"

namespace {

std::string percentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct Session {
    std::string name;
    bool reopens = false;
    model::Form1Model model;
    std::vector<std::string> errors;
    std::vector<std::string> report;
};

void print(const Session& session) {
    const std::string address = web::addressOf(session.model);
    model::Form1Model reopened;
    const std::string error = web::openAddress(reopened, address);
    std::cout << "{\"session\": " << web::jsonText(session.name)
              << ", \"reopens\": " << (session.reopens ? "true" : "false")
              << ", \"state\": " << web::stateJson(session.model)
              << ", \"errors\": " << web::jsonTexts(session.errors)
              << ", \"FrmPrint.List1\": " << web::jsonTexts(session.report)
              << ", \"address\": " << web::jsonText(address)
              << ", \"reopened\": {\"state\": " << web::stateJson(reopened)
              << ", \"error\": " << web::jsonText(error)
              << ", \"FrmPrint.List1\": " << web::jsonTexts(*reopened.click("Com_Print").report)
              << "}}\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: session_runner SESSIONS\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 2;
    }
    std::unique_ptr<Session> session;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        std::string step, control, text;
        words >> step >> control >> text;
        if (step.empty() || step[0] == '#') {
            continue;
        }
        const auto bad = [&](const char* why) {
            std::cerr << argv[1] << ":" << number << ": " << why << "\n";
            return 2;
        };
        if (step == "session") {
            if (session) {
                print(*session);
            }
            session = std::make_unique<Session>();
            session->name = control;
            session->reopens = text == "reopens";
            continue;
        }
        if (!session) {
            return bad("a step before the first session");
        }
        if (step == "type" || step == "paste") {
            if (!session->model.setField(control, percentDecoded(text))) {
                return bad("not a field");
            }
        } else if (step == "click" && model::Form1Model::operates(control)) {
            model::Form1Model::Clicked clicked = session->model.click(control);
            if (!clicked.error.empty()) {
                session->errors.push_back(clicked.error);
            }
            if (clicked.report) {
                session->report = std::move(*clicked.report);
            }
        } else {
            return bad("not a step");
        }
    }
    if (session) {
        print(*session);
    }
    return 0;
}
