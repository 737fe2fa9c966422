#include "grid_controller.h"
#include "number_text.h"
#include "solver.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace isosceles {
namespace {

void BM_ParseNumber(benchmark::State& state, std::u16string text) {
    const NumberFormat format = NumberFormat::forLocale("bg_BG.UTF-8");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseNumber(text, format));
    }
}
BENCHMARK_CAPTURE(BM_ParseNumber, typed, std::u16string(u"12.5"));
BENCHMARK_CAPTURE(BM_ParseNumber, written, std::u16string(u"12\u00A0345,679"));
BENCHMARK_CAPTURE(BM_ParseNumber, long_decimal, std::u16string(u"3.14159265358979323846264338"));

constexpr std::array<std::array<double, 2>, kVariantCount> kPairs{{
    {6, 5},
    {6, 12},
    {5, 12},
    {5, 16},
    {6, 16},
}};

void BM_SolveVariant(benchmark::State& state) {
    const auto v = static_cast<Variant>(state.range(0));
    const auto [first, second] = kPairs[static_cast<std::size_t>(v)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(solveVariant(v, first, second));
    }
}
BENCHMARK(BM_SolveVariant)->DenseRange(0, kVariantCount - 1);

void BM_FormatNumber3(benchmark::State& state, const char* locale) {
    const NumberFormat format = NumberFormat::forLocale(locale);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber3(12345.6789, format));
    }
}
BENCHMARK_CAPTURE(BM_FormatNumber3, bg, "bg_BG.UTF-8");
BENCHMARK_CAPTURE(BM_FormatNumber3, c, "C");

// What start-up pays for the user's format, once.
void BM_NumberFormatForLocale(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumberFormat::forLocale("bg_BG.UTF-8"));
    }
}
BENCHMARK(BM_NumberFormatForLocale);

void BM_Calculate(benchmark::State& state) {
    GridController grid(NumberFormat::forLocale("bg_BG.UTF-8"));
    grid.onLoad();
    grid.editCell(0, u"6");
    grid.editCell(1, u"5");
    for (auto _ : state) {
        grid.calculate();
        benchmark::DoNotOptimize(grid.cell(3).text.data());
    }
}
BENCHMARK(BM_Calculate);

} // namespace
} // namespace isosceles

BENCHMARK_MAIN();
