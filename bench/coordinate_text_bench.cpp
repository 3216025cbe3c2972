// The coordinate text operations, and the exclusion switch line built from them.
#include <benchmark/benchmark.h>

#include <string>

#include "core/coordinate_text.h"
#include "scenery_config/exclusion_switch.h"

namespace orlith {
namespace {

void BM_ParseCoordinate(benchmark::State& state) {
  const std::string text = "N42 34.6";
  for (auto _ : state) benchmark::DoNotOptimize(ParseCoordinate(text));
}
BENCHMARK(BM_ParseCoordinate);

void BM_IsValidCoordinate(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(IsValidCoordinate("N42 34.6", CoordinateKind::kLatitude));
    benchmark::DoNotOptimize(IsValidCoordinate("W12 24.5", CoordinateKind::kLongitude));
  }
}
BENCHMARK(BM_IsValidCoordinate);

void BM_FormatCoordinate(benchmark::State& state) {
  double degrees = -12.408333333333333;
  for (auto _ : state) {
    benchmark::DoNotOptimize(degrees);
    benchmark::DoNotOptimize(FormatCoordinate(degrees, CoordinateKind::kLongitude));
  }
}
BENCHMARK(BM_FormatCoordinate);

void BM_ExclusionSwitchLine(benchmark::State& state) {
  const std::string lat = "N42 34.6";
  const std::string lon = "W12 24.5";
  const std::string type = "VOR";
  for (auto _ : state) benchmark::DoNotOptimize(ExclusionSwitchLine(lat, lon, type));
}
BENCHMARK(BM_ExclusionSwitchLine);

}  // namespace
}  // namespace orlith
