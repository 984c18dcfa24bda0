#include "estimate/panels.h"

#include "estimate/conversions.h"
#include "estimate/number_text.h"

namespace estimate {
namespace {

const char* const kTimes = " * ";
const char* const kTwoPanels = " *  2 块";
const char* const kOnePanel = " *  1 块";

// Twice the thickness in centimetres, from a fresh conversion of the field each
// time it is needed.
double thicknessAllowance(const std::string& thickness) {
    const double t = toDouble(thickness);
    return checkDouble(checkDouble(t + t) / 10.0);
}

}  // namespace

void panelSizes(const PanelFields& fields, const CaptionSink& labSize) {
    const float length = toSingle(fields.length);
    const float width = toSingle(fields.width);
    const float height = toSingle(fields.height);
    labSize(0, singleText(length) + kTimes + singleText(height) + kTwoPanels);

    const double reducedWidth = checkDouble(width - thicknessAllowance(fields.thickness));
    labSize(1, doubleText(reducedWidth) + kTimes + singleText(height) + kTwoPanels);

    const double reducedLength = checkDouble(length - thicknessAllowance(fields.thickness));
    const double bottomWidth = checkDouble(width - thicknessAllowance(fields.thickness));
    labSize(2, doubleText(reducedLength) + kTimes + doubleText(bottomWidth) + kOnePanel);
}

}  // namespace estimate
