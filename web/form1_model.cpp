#include "web/form1_model.h"

#include "estimate/cost.h"
#include "estimate/panels.h"
#include "estimate/run_time_error.h"
#include "report/report.h"
#include "ui/form1_layout.h"

namespace web {

std::string controlName(const char* name, int index) {
    return index < 0 ? name : std::string(name) + "(" + std::to_string(index) + ")";
}

Form1Model::Form1Model() {
    for (const kit::ControlSpec& control : ui::form1Controls()) {
        if (control.caption != nullptr) {
            texts_[controlName(control.name, control.index)] = control.caption;
        }
    }
}

std::string Form1Model::text(const std::string& control) const {
    const auto found = texts_.find(control);
    return found == texts_.end() ? std::string() : found->second;
}

bool Form1Model::setField(const std::string& control, const std::string& text) {
    for (const kit::ControlSpec& spec : ui::form1Controls()) {
        if (spec.kind == kit::ControlKind::TextBox &&
            controlName(spec.name, spec.index) == control) {
            texts_[control] = text;
            return true;
        }
    }
    return false;
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
    return run([this] {
        estimate::panelSizes(
            {text("T_Main(0)"), text("T_Main(1)"), text("T_Main(2)"), text("Text2")},
            [this](int i, const std::string& caption) {
                texts_[controlName("LabSize", i)] = caption;
            });
    });
}

std::string Form1Model::Command1_Click() {
    return run([this] {
        list_.push_back(plates_.add({text("T_FU(0)"), text("T_FU(1)"), text("T_FU(2)")}));
    });
}

std::string Form1Model::Com_Count_Click() {
    return run([this] {
        const estimate::CostFields fields{text("Text1"),     text("T_mb"),      text("T_Main(0)"),
                                          text("T_Main(1)"), text("T_Main(2)"), text("Text2"),
                                          text("Text3"),     text("Text4")};
        estimate::costCalculation(fields, plates_, [this](int i, const std::string& caption) {
            texts_[controlName("Label_HeJi", i)] = caption;
        });
    });
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
