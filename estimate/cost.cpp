#include "estimate/cost.h"

#include "estimate/conversions.h"
#include "estimate/number_text.h"

namespace estimate {
namespace {

// Each expression below is evaluated in double from single operands and rounded
// once where a single is stored (storeSingle), in exactly the grouping given: a
// different grouping or a fused multiply-add changes the last digit shown.

struct Areas {
    float mainBody;    // m²
    float auxiliary;   // m²
    float glass;       // m², the two added
    float edgeLength;  // m
};

Areas glassAreas(float length, float width, float height, float t, const PlateTable& plates) {
    const double w = width;
    const double l = length;
    const double h = height;
    const double twoT = static_cast<double>(t) + t;
    float mainBody = storeSingle((w - twoT) * (l - twoT) + ((w - twoT) * h * 2 + h * l * 2));

    float auxArea = 0;
    float auxEdge = 0;
    for (int i = 0; i < plates.count(); ++i) {
        const Plate& p = plates.at(i);
        auxArea = storeSingle(static_cast<double>(p.width) * p.length * p.count + auxArea);
        auxEdge = storeSingle((static_cast<double>(p.width) + p.length) * 2 + auxEdge);
    }

    mainBody = storeSingle(mainBody / 10000.0);
    auxArea = storeSingle(auxArea / 10000.0);
    const float glass = storeSingle(static_cast<double>(mainBody) + auxArea);
    const float edge = storeSingle(((((h + l) * 2 + (w + l)) + (h + w) * 2) * 2 + auxEdge) / 100.0);
    return {mainBody, auxArea, glass, edge};
}

// The glue price times the number of tubes, the tubes converted first.
double glueCost(const CostFields& fields) {
    const double tubes = toDouble(fields.glueCount);
    const double price = toDouble(fields.gluePrice);
    return checkDouble(price * tubes);
}

}  // namespace

void costCalculation(const CostFields& fields, const PlateTable& plates, const CaptionSink& heJi) {
    const float glassPrice = toSingle(fields.glassPrice);
    const float edgePrice = toSingle(fields.edgePrice);
    const float length = toSingle(fields.length);
    const float width = toSingle(fields.width);
    const float height = toSingle(fields.height);
    const float t = storeSingle(toSingle(fields.thickness) / 10.0);

    const Areas a = glassAreas(length, width, height, t, plates);

    const float glassCost = storeSingle(static_cast<double>(a.glass) * glassPrice);
    heJi(0, "(主体面积 " + singleText(a.mainBody) + "  +  辅助板材面积 " + singleText(a.auxiliary) +
                ")" + " *  单价 " + singleText(glassPrice) + " = " + singleText(glassCost));

    const float edgeCost = storeSingle(static_cast<double>(a.edgeLength) * edgePrice);
    heJi(1, "总边长" + singleText(a.edgeLength) + "*  单价 " + singleText(edgePrice) + " = " +
                singleText(edgeCost));

    heJi(3, fields.gluePrice + "* " + fields.glueCount + "= " + doubleText(glueCost(fields)));

    const float glue = storeSingle(glueCost(fields));
    const float total =
        storeSingle((static_cast<double>(glue) + static_cast<double>(a.glass) * glassPrice) +
                    static_cast<double>(a.edgeLength) * edgePrice);
    heJi(4, singleText(total));
}

}  // namespace estimate
