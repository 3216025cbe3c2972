// The conversions from the texts and degrees the user enters to the scenery file's integers.
#include <benchmark/benchmark.h>

#include "core/lenient_number.h"
#include "scenery_file/scenery_units.h"

namespace orlith {
namespace {

void BM_ReadLenientInteger(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadLenientInteger("  -1234xyz"));
}
BENCHMARK(BM_ReadLenientInteger);

void BM_ReadLenientDecimal(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadLenientDecimal(" 113.90e0 MHz"));
}
BENCHMARK(BM_ReadLenientDecimal);

void BM_PositionUnits(benchmark::State& state) {
  double lat = 42.576666666666667;
  double lon = -12.408333333333333;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LatitudeToUnits32(lat));
    benchmark::DoNotOptimize(LatitudeToUnits24(lat));
    benchmark::DoNotOptimize(LongitudeToUnits32(lon));
    benchmark::DoNotOptimize(LongitudeToUnits24(lon));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PositionUnits);

void BM_FrequencyToChannel(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FrequencyToChannel("113.90"));
}
BENCHMARK(BM_FrequencyToChannel);

void BM_KilohertzToBcd(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(KilohertzToBcd("1750"));
}
BENCHMARK(BM_KilohertzToBcd);

void BM_NauticalMilesToRange(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(NauticalMilesToRange("40"));
}
BENCHMARK(BM_NauticalMilesToRange);

void BM_GlideslopeToSine(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(GlideslopeToSine("3.0"));
}
BENCHMARK(BM_GlideslopeToSine);

void BM_Pack24(benchmark::State& state) {
  std::int64_t v = -4733;
  for (auto _ : state) {
    benchmark::DoNotOptimize(v);
    benchmark::DoNotOptimize(Pack24(v));
  }
}
BENCHMARK(BM_Pack24);

}  // namespace
}  // namespace orlith
