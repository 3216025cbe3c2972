// The byte images of a scenery file: the header and the section of each type, and its name.
#include <benchmark/benchmark.h>

#include <string>

#include "core/navaid_entry.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/navaid_writer.h"

namespace orlith {
namespace {

// 0: NDB, 1: VOR, 2: ILS.
NavAidEntry EntryOfType(int type) {
  if (type == 0) {
    return {"N42 34.6", "W12 24.5", "NDB", "350", "25", "100", "", "", "", "", "ABC", "TEST NDB"};
  }
  if (type == 1) {
    return {"N42 34.6", "W12 24.5", "VOR", "113.90", "40",  "200",
            "-3",       "1",        "",    "",       "XYZ", "TEST VOR"};
  }
  return {"N42 34.6", "W12 24.5", "ILS", "110.30", "18",   "50",
          "-3",       "1",        "270", "3.0",    "IABC", "TEST ILS"};
}

void BM_SceneryHeaderBytes(benchmark::State& state) {
  const NavAidEntry entry = EntryOfType(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(SceneryHeaderBytes(42.576666666666667, -12.408333333333333,
                                                entry.navAidType, entry.frequency));
  }
}
BENCHMARK(BM_SceneryHeaderBytes)->ArgName("NDB_VOR_ILS")->DenseRange(0, 2);

void BM_NavAidSectionBytes(benchmark::State& state) {
  const NavAidEntry entry = EntryOfType(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(NavAidSectionBytes(42.576666666666667, -12.408333333333333, entry));
  }
}
BENCHMARK(BM_NavAidSectionBytes)->ArgName("NDB_VOR_ILS")->DenseRange(0, 2);

void BM_SceneryFileName(benchmark::State& state) {
  const std::string lat = "N42 34.6";
  const std::string lon = "W12 24.5";
  for (auto _ : state) benchmark::DoNotOptimize(SceneryFileName(lat, lon));
}
BENCHMARK(BM_SceneryFileName);

}  // namespace
}  // namespace orlith
