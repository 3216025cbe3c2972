// The simulator folder a command works in, and the names of the files it touches there.
#pragma once

#include <string>
#include <string_view>

#include "core/file_env.h"

namespace orlith {

// Where an operation works: the simulator folder and the file access it goes through. An empty
// path is the current directory, so the files are named exactly as the user knows them.
struct WorkFolder {
  std::string path;
  FileEnv* env = DefaultFileEnv();
  // Where new scenery files go: a folder taken inside path unless absolute ("/x", "\x", "C:x");
  // empty for path itself.
  std::string sceneryFolder = {};

  // The path of a file of this folder: "scenery.cfg" or "DIR/scenery.cfg".
  std::string File(std::string_view name) const;
  // A path the user gave (a batch file, a folder): inside this folder unless absolute ("/x",
  // "\x", "C:x").
  std::string Given(std::string_view given) const;
  // A scenery file's name as the user knows it, relative to path: the name itself, or
  // sceneryFolder, a separator (the folder's own, "/" when it has none) and the name.
  std::string SceneryName(std::string_view name) const;
  // The path of sceneryFolder as the file access takes it: inside path unless absolute; empty
  // without one.
  std::string SceneryFolderPath() const;
  // The path a scenery file is written to: SceneryFolderPath(), "/" and the name; File(name)
  // without a scenery folder.
  std::string SceneryFile(std::string_view name) const;
};

// The folder's whole name, for messages ("/home/u/FS2002" for "" or "."); the path itself when
// it cannot be made whole.
std::string FullFolderName(const std::string& path);

}  // namespace orlith
