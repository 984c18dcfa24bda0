#pragma once

#include <string>

#include "estimate/caption_sink.h"

namespace estimate {

// The texts of the fields the panel sizes are made from.
struct PanelFields {
    std::string length;     // T_Main(0), cm
    std::string width;      // T_Main(1), cm
    std::string height;     // T_Main(2), cm
    std::string thickness;  // Text2, mm
};

// Cutting sizes of the five panels of a tank whose four walls enclose the bottom.
// Writes LabSize(0), (1) and (2) in that order, each as soon as it is made; throws
// RunTimeError at the failing step, leaving the captions written before it.
void panelSizes(const PanelFields& fields, const CaptionSink& labSize);

}  // namespace estimate
