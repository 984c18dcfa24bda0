#include "model/form1_model.h"

#include <algorithm>
#include <array>

#include "estimate/cost.h"
#include "estimate/panels.h"
#include "estimate/run_time_error.h"
#include "model/form1_layout.h"
#include "report/report.h"

namespace model {
namespace {

// The control arrays the operations write: the panel sizes and the costs.
constexpr const char* kSizes = "LabSize";
constexpr const char* kCosts = "Label_HeJi";

}  // namespace

Form1Model::Form1Model() {
    for (const ControlSpec& entry : form1Controls()) {
        const std::string control = controlName(entry);
        if (entry.caption != nullptr) {
            texts_[control] = entry.caption;
        }
        if (entry.role == Role::Field) {
            fields_.push_back(control);
        } else if (entry.role == Role::Result) {
            results_.push_back(control);
        } else if (entry.role == Role::Names) {
            labelOf_[entry.names] = control;
        }
    }
}

std::string Form1Model::text(const std::string& control) const {
    const auto found = texts_.find(control);
    return found == texts_.end() ? std::string() : found->second;
}

bool Form1Model::setField(const std::string& control, const std::string& text) {
    if (std::find(fields_.begin(), fields_.end(), control) == fields_.end()) {
        return false;
    }
    texts_[control] = text;
    return true;
}

const Form1Model::Operation* Form1Model::operationOf(std::string_view control) {
    static constexpr std::array<Operation, 4> kOperations = {{
        {"Command2", &Form1Model::Command2_Click},
        {"Command1", &Form1Model::Command1_Click},
        {"Com_Count", &Form1Model::Com_Count_Click},
        {"Com_Print", &Form1Model::Com_Print_Click},
    }};
    const auto found =
        std::find_if(kOperations.begin(), kOperations.end(),
                     [&](const Operation& operation) { return operation.control == control; });
    return found == kOperations.end() ? nullptr : &*found;
}

std::optional<std::vector<std::string>> Form1Model::operate(std::string_view control) {
    const Operation* operation = operationOf(control);
    return operation == nullptr ? std::nullopt : (this->*operation->run)();
}

Form1Model::Clicked Form1Model::click(std::string_view control) {
    Clicked clicked;
    try {
        clicked.report = operate(control);
    } catch (const estimate::RunTimeError& error) {
        clicked.error = error.message();
    }
    return clicked;
}

void Form1Model::write(const std::string& control, const std::string& text) {
    texts_[control] = text;
    if (view_ != nullptr) {
        view_->captionWritten(control, text);
    }
}

Form1Model::Report Form1Model::Command2_Click() {
    sizesShown_ = false;
    estimate::panelSizes(
        {text("T_Main(0)"), text("T_Main(1)"), text("T_Main(2)"), text("Text2")},
        [this](int i, const std::string& caption) { write(controlName(kSizes, i), caption); });
    sizesShown_ = true;
    return std::nullopt;
}

Form1Model::Report Form1Model::Command1_Click() {
    const estimate::PlateFields plate{text("T_FU(0)"), text("T_FU(1)"), text("T_FU(2)")};
    const std::string line = plates_.add(plate);
    list_.push_back(line);
    added_.push_back(plate);
    if (view_ != nullptr) {
        view_->plateListed(line);
    }
    return std::nullopt;
}

Form1Model::Report Form1Model::Com_Count_Click() {
    costsShown_ = false;
    const estimate::CostFields fields{text("Text1"),     text("T_mb"),      text("T_Main(0)"),
                                      text("T_Main(1)"), text("T_Main(2)"), text("Text2"),
                                      text("Text3"),     text("Text4")};
    estimate::costCalculation(fields, plates_, [this](int i, const std::string& caption) {
        write(controlName(kCosts, i), caption);
    });
    costsShown_ = true;
    return std::nullopt;
}

Form1Model::Report Form1Model::Com_Print_Click() {
    // Each result the window shows, under the label that names it: the sizes,
    // then the costs, in the table's order.
    report::ReportSource source;
    std::size_t sizes = 0;
    std::size_t costs = 0;
    for (const ControlSpec& entry : form1Controls()) {
        if (entry.role != Role::Result) {
            continue;
        }
        const std::string control = controlName(entry);
        const std::string label = text(labelOf_.at(control));
        if (std::string_view(entry.name) == kSizes) {
            source.sizeLabels.at(sizes) = label;
            source.sizes.at(sizes++) = text(control);
        } else {
            source.costLabels.at(costs) = label;
            source.costs.at(costs++) = text(control);
        }
    }
    source.plateLines = list_;
    return report::buildReport(source);
}

}  // namespace model
