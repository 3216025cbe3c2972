// Helpers shared by the test suites: a temporary simulator folder and a byte comparison that
// names the first differing offset.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orlith::testing {

// A fresh, empty folder below the system's temporary folder, removed with everything in it when
// the object goes out of scope.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }
  // Writes bytes to the named file, replacing it.
  void Write(std::string_view name, std::string_view bytes) const;
  // The whole named file, or "<missing>" when it cannot be read.
  std::string Read(std::string_view name) const;
  bool Exists(std::string_view name) const;
  // The names of the temporary files Orlith left in the folder ("orlith-*.tmp").
  std::vector<std::string> Temporaries() const;

 private:
  std::string path_;
};

// Every file below the folder with its bytes, to show that a failed run changed nothing.
std::map<std::string, std::string> Snapshot(const TempFolder& folder);

// Reads a whole file; "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Succeeds when the two byte strings are equal; otherwise says where they first differ, with a
// hex dump of the bytes around that offset.
::testing::AssertionResult BytesEqual(std::string_view expected, std::string_view actual);

// The fixed date the suites log under: 6 December 2026.
std::tm Dec6();

// "01 00 E5" -> the bytes 0x01 0x00 0xE5.
std::string HexBytes(std::string_view hex);

}  // namespace orlith::testing
