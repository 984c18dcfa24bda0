// The engine's operations and number texts, timed with Google Benchmark, then a
// table of the figures that have a budget.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "estimate/conversions.h"
#include "estimate/cost.h"
#include "estimate/number_text.h"
#include "estimate/panels.h"
#include "estimate/plates.h"
#include "report/report.h"

namespace {

const estimate::CostFields kTank{"100", "2", "60", "30", "40", "5", "15", "2"};
const estimate::CaptionSink kDiscard = [](int, const std::string& caption) {
    benchmark::DoNotOptimize(caption.data());
};

estimate::PlateTable fullTable() {
    estimate::PlateTable table;
    for (int i = 0; i < estimate::PlateTable::kSlots; ++i) {
        table.add({std::to_string(10 + i), "8.5", "2"});
    }
    return table;
}

template <typename Float>
std::vector<Float> randomValues() {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 9);
    std::vector<Float> values(1024);
    for (auto& v : values) {
        v = static_cast<Float>(mantissa(random) * std::pow(10.0, exponent(random)));
    }
    return values;
}

void CostWith101Plates(benchmark::State& state) {
    const auto table = fullTable();
    for (auto _ : state) {
        estimate::costCalculation(kTank, table, kDiscard);
    }
}
BENCHMARK(CostWith101Plates);

void PanelSizes(benchmark::State& state) {
    for (auto _ : state) {
        estimate::panelSizes({"60.3", "30", "40", "5.5"}, kDiscard);
    }
}
BENCHMARK(PanelSizes);

void AddPlate(benchmark::State& state) {
    for (auto _ : state) {
        estimate::PlateTable table;
        benchmark::DoNotOptimize(table.add({"20", "10", "2"}));
    }
}
BENCHMARK(AddPlate);

void Report116Lines(benchmark::State& state) {
    report::ReportSource source{
        {"前后长面尺寸：", "左右短面尺寸：", "底面尺寸："},
        {"60 * 40 *  2 块", "29 * 40 *  2 块", "59 * 29 *  1 块"},
        std::vector<std::string>(101, "长20  *  宽  10   *  1块"),
        {"玻璃面积费用合计：", "玻璃磨边费用合计：", "玻璃胶费用合计：", "总费用合计："},
        {"(主体面积 0.8831  +  辅助板材面积 0.06) *  单价 100 = 94.31",
         "总边长9.86*  单价 2 = 19.72", "15* 2= 30", "144.03"}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(report::buildReport(source));
    }
}
BENCHMARK(Report116Lines);

template <typename Float, int Precision>
void BareToChars(benchmark::State& state) {
    const auto values = randomValues<Float>();
    std::array<char, 64> buf{};
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = std::to_chars(buf.data(), buf.data() + buf.size(), values[i++ & 1023],
                               std::chars_format::scientific, Precision - 1);
        benchmark::DoNotOptimize(r.ptr);
    }
}
BENCHMARK(BareToChars<float, 7>)->Name("BareToCharsSingle");
BENCHMARK(BareToChars<double, 15>)->Name("BareToCharsDouble");

void SingleText(benchmark::State& state) {
    const auto values = randomValues<float>();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimate::singleText(values[i++ & 1023]));
    }
}
BENCHMARK(SingleText);

void DoubleText(benchmark::State& state) {
    const auto values = randomValues<double>();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimate::doubleText(values[i++ & 1023]));
    }
}
BENCHMARK(DoubleText);

void ToSingle(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimate::toSingle("60.3"));
    }
}
BENCHMARK(ToSingle);

void ToDouble(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimate::toDouble("012.50"));
    }
}
BENCHMARK(ToDouble);

void ToInteger(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimate::toInteger("2.5"));
    }
}
BENCHMARK(ToInteger);

// Prints the usual console table and keeps each benchmark's time per iteration.
class Collector : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> ns;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            ns[run.benchmark_name()] = run.GetAdjustedRealTime();  // in the run's unit: ns
        }
    }
};

void row(const char* what, const std::string& figure, const char* budget, bool ok) {
    std::printf("| %s | %s | %s | %s |\n", what, figure.c_str(), budget, ok ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    auto& ns = collector.ns;
    char text[128];
    std::printf("\n| measure | figure | budget | |\n|---|---|---|---|\n");
    std::snprintf(text, sizeof text, "%.2f us", ns["CostWith101Plates"] / 1000);
    row("cost calculation, 101 plates", text, "< 5 us", ns["CostWith101Plates"] < 5000);
    const double single = ns["SingleText"] / ns["BareToCharsSingle"];
    std::snprintf(text, sizeof text, "%.0f ns, %.2fx to_chars", ns["SingleText"], single);
    row("single text", text, "<= 2x", single <= 2.0);
    const double dbl = ns["DoubleText"] / ns["BareToCharsDouble"];
    std::snprintf(text, sizeof text, "%.0f ns, %.2fx to_chars", ns["DoubleText"], dbl);
    row("double text", text, "<= 2x", dbl <= 2.0);
    for (const char* name :
         {"PanelSizes", "AddPlate", "Report116Lines", "ToSingle", "ToDouble", "ToInteger"}) {
        std::snprintf(text, sizeof text, "%.0f ns", ns[name]);
        row(name, text, "-", true);
    }
    benchmark::Shutdown();
    return 0;
}
