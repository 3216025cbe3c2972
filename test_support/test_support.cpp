#include "test_support/test_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace orlith::testing {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device rd;
  for (;;) {
    fs::path p = fs::temp_directory_path() / ("orlith-test-" + std::to_string(rd()));
    std::error_code ec;
    if (fs::create_directory(p, ec)) {
      path_ = p.generic_string();
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // A test may have taken write permission away; give it back so everything can go.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void TempFolder::Write(std::string_view name, std::string_view bytes) const {
  std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::Read(std::string_view name) const { return ReadFileBytes(File(name)); }

bool TempFolder::Exists(std::string_view name) const { return fs::exists(File(name)); }

std::vector<std::string> TempFolder::Temporaries() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(path_)) {
    std::string name = e.path().filename().string();
    if (name.starts_with("orlith-") && name.ends_with(".tmp")) names.push_back(name);
  }
  return names;
}

std::map<std::string, std::string> Snapshot(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder.path())) {
    const std::string path = e.path().generic_string();
    files[path.substr(folder.path().size())] = e.is_directory() ? "<folder>" : ReadFileBytes(path);
  }
  return files;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

namespace {
std::string HexAround(std::string_view bytes, std::size_t at) {
  std::size_t from = at >= 8 ? at - 8 : 0;
  std::size_t to = std::min(bytes.size(), at + 8);
  std::string out;
  char buf[8];
  for (std::size_t i = from; i < to; ++i) {
    std::snprintf(buf, sizeof buf, i == at ? "[%02X]" : " %02X ",
                  static_cast<unsigned char>(bytes[i]));
    out += buf;
  }
  return out;
}
}  // namespace

::testing::AssertionResult BytesEqual(std::string_view expected, std::string_view actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  char offset[32];
  std::snprintf(offset, sizeof offset, "0x%zX", at);
  return ::testing::AssertionFailure() << "sizes " << expected.size() << " (expected) and "
                                       << actual.size() << " (actual), first difference at offset "
                                       << offset << "\n  expected: " << HexAround(expected, at)
                                       << "\n  actual:   " << HexAround(actual, at);
}

std::tm Dec6() {
  std::tm date{};
  date.tm_mday = 6;
  date.tm_mon = 11;
  date.tm_year = 126;
  return date;
}

std::string HexBytes(std::string_view hex) {
  std::string out;
  std::istringstream in{std::string(hex)};
  std::string pair;
  while (in >> pair) out += static_cast<char>(std::stoi(pair, nullptr, 16));
  return out;
}

}  // namespace orlith::testing
