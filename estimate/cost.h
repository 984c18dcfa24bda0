#pragma once

#include <string>

#include "estimate/caption_sink.h"
#include "estimate/plates.h"

namespace estimate {

// The texts of the fields the cost calculation reads.
struct CostFields {
    std::string glassPrice;  // Text1, yuan per m²
    std::string edgePrice;   // T_mb, yuan per m
    std::string length;      // T_Main(0), cm
    std::string width;       // T_Main(1), cm
    std::string height;      // T_Main(2), cm
    std::string thickness;   // Text2, mm
    std::string gluePrice;   // Text3, yuan per tube, also shown as typed
    std::string glueCount;   // Text4, tubes, also shown as typed
};

// The four cost lines. Writes Label_HeJi(0), (1), (3) and (4) in that order, each
// as soon as it is made; throws RunTimeError at the failing step, leaving the
// captions written before it. Reads the plate table without changing it.
void costCalculation(const CostFields& fields, const PlateTable& plates, const CaptionSink& heJi);

}  // namespace estimate
