// The thin layer through which every file of Orlith is opened, read, written and renamed. The
// operations take it as a parameter so that tests can make any single step fail on request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/status.h"

namespace orlith {

// A file open for reading, in binary mode (bytes as they are on disk).
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Reads up to n bytes into scratch; *got is 0 only at the end of the file.
  virtual Status Read(std::size_t n, char* scratch, std::size_t* got) = 0;
  virtual Status Close() = 0;
};

// A file open for writing or appending, in binary mode (no line-end translation on any platform).
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual Status Append(std::string_view data) = 0;
  // Hands what was appended to the system, so it survives the end of the process.
  virtual Status Flush() = 0;
  // Flushes and closes; a failure here means the data may not be on disk.
  virtual Status Close() = 0;
};

class FileEnv {
 public:
  virtual ~FileEnv() = default;
  virtual Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) = 0;
  // Creates the file, or empties an existing one.
  virtual Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) = 0;
  // Creates the file when missing; every write goes to its end.
  virtual Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) = 0;
  // Renames from over to, replacing to when it exists, in one step where the system allows.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  // Removes the file; a missing file is not an error.
  virtual Status Remove(const std::string& path) = 0;
  // The last n bytes of the file (all of it when it is shorter) in *tail.
  virtual Status ReadTail(const std::string& path, std::size_t n, std::string* tail) = 0;
  // The size of the file in bytes in *size; a missing file is kNotFound, a folder an error.
  virtual Status FileSize(const std::string& path, std::uint64_t* size) = 0;
  // Cuts the file back to size bytes, keeping its first size bytes. Precondition: the file is no
  // shorter than size and is not open.
  virtual Status Truncate(const std::string& path, std::uint64_t size) = 0;
  // Creates the folder and every missing folder above it; one that exists already is no error,
  // a file in its place is.
  virtual Status CreateFolders(const std::string& path) = 0;
};

// The real files of the machine, through the C library. Never null; lives for the whole program.
FileEnv* DefaultFileEnv();

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

// Appends text to the file (created when missing), flushes and closes it. On a failure of any
// of these steps the file is cut back to the size it had before, so it holds exactly its old
// bytes, and the first failure is returned; when that cut fails too, the reason says so as well.
Status AppendWholeOrNothing(FileEnv& env, const std::string& path, std::string_view text);

}  // namespace orlith
