// The passes through scenery.cfg, on real files in a temporary folder: reading it line by line,
// and the backup with the area registration, which every command makes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_env.h"
#include "core/work_folder.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

// A folder holding a scenery.cfg of about `bytes` bytes of area blocks; removed when done.
class ConfigFolder {
 public:
  explicit ConfigFolder(std::size_t bytes) {
    char pattern[] = "/tmp/orlith_bench_XXXXXX";
    if (mkdtemp(pattern) != nullptr) folder_.path = pattern;
    std::string text;
    char block[256];
    for (int area = 1; text.size() < bytes; ++area) {
      std::snprintf(block, sizeof block,
                    "[Area.%03d]\r\nTitle=Addon Scenery %d\r\nLocal=Addon Scenery\\Pack%d\r\n"
                    "Remote=\r\nActive=TRUE\r\nRequired=FALSE\r\nLayer=%d\r\n\r\n",
                    area, area, area, area);
      text += block;
    }
    std::FILE* f = std::fopen(folder_.File(kSceneryConfigName).c_str(), "wb");
    if (f != nullptr) {
      ok_ = std::fwrite(text.data(), 1, text.size(), f) == text.size();
      ok_ = std::fclose(f) == 0 && ok_;
    }
  }
  ~ConfigFolder() {
    std::error_code ec;
    if (!folder_.path.empty()) std::filesystem::remove_all(folder_.path, ec);
  }
  bool ok() const { return ok_; }
  const WorkFolder& folder() const { return folder_; }

 private:
  WorkFolder folder_;
  bool ok_ = false;
};

// After the first call the block is present, so each call is the backup and the scan alone.
void BM_RegisterUpdatesArea(benchmark::State& state) {
  ConfigFolder dir(static_cast<std::size_t>(state.range(0)));
  if (!dir.ok()) state.SkipWithError("cannot make scenery.cfg");
  const std::tm date{};
  for (auto _ : state) {
    Status s = RegisterUpdatesArea(dir.folder(), date, nullptr);
    if (!s.ok()) state.SkipWithError(s.ToString().c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RegisterUpdatesArea)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlith
