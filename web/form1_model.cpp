#include "web/form1_model.h"

#include <algorithm>
#include <string_view>

#include "estimate/cost.h"
#include "estimate/panels.h"
#include "estimate/run_time_error.h"
#include "report/report.h"
#include "ui/form1_layout.h"

namespace web {

std::string controlName(const char* name, int index) {
    std::string control = name;
    if (index >= 0) {
        control.append("(").append(std::to_string(index)).append(")");
    }
    return control;
}

Form1Model::Form1Model() {
    for (const auto& entry : ui::form1Controls()) {
        const std::string control = controlName(entry.name, entry.index);
        if (entry.caption != nullptr) {
            texts_[control] = entry.caption;
        }
        const std::string_view name = entry.name;
        if (entry.kind == kit::ControlKind::TextBox) {
            fields_.push_back(control);
        } else if (name == "LabSize" || (name == "Label_HeJi" && entry.index != 2)) {
            results_.push_back(control);
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

template <typename Operation>
std::string Form1Model::run(Operation&& operation) {
    try {
        operation();
        return {};
    } catch (const estimate::RunTimeError& error) {
        return error.message();
    }
}

std::string Form1Model::Command2_Click() {
    std::string error = run([this] {
        estimate::panelSizes(
            {text("T_Main(0)"), text("T_Main(1)"), text("T_Main(2)"), text("Text2")},
            [this](int i, const std::string& caption) {
                texts_[controlName("LabSize", i)] = caption;
            });
    });
    sizesShown_ = error.empty();
    return error;
}

std::string Form1Model::Command1_Click() {
    return run([this] {
        const estimate::PlateFields plate{text("T_FU(0)"), text("T_FU(1)"), text("T_FU(2)")};
        list_.push_back(plates_.add(plate));
        added_.push_back(plate);
    });
}

std::string Form1Model::Com_Count_Click() {
    std::string error = run([this] {
        const estimate::CostFields fields{text("Text1"),     text("T_mb"),      text("T_Main(0)"),
                                          text("T_Main(1)"), text("T_Main(2)"), text("Text2"),
                                          text("Text3"),     text("Text4")};
        estimate::costCalculation(fields, plates_, [this](int i, const std::string& caption) {
            texts_[controlName("Label_HeJi", i)] = caption;
        });
    });
    costsShown_ = error.empty();
    return error;
}

std::vector<std::string> Form1Model::Com_Print_Click() const {
    report::ReportSource source;
    source.sizeLabels = {text("Label20"), text("Label21"), text("Label22")};
    source.sizes = {text("LabSize(0)"), text("LabSize(1)"), text("LabSize(2)")};
    source.plateLines = list_;
    source.costLabels = {text("Label15"), text("Label16"), text("Label17"), text("Label18")};
    source.costs = {text("Label_HeJi(0)"), text("Label_HeJi(1)"), text("Label_HeJi(3)"),
                    text("Label_HeJi(4)")};
    return report::buildReport(source);
}

}  // namespace web
