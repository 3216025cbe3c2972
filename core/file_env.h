// The thin layer through which every file of Orlith is opened, read, written and renamed. The
// operations take it as a parameter so that tests can make any single step fail on request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace orlith {

// A file open for reading, in binary mode (bytes as they are on disk).
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Reads up to n bytes into scratch; *got is 0 only at the end of the file.
  virtual Status Read(std::size_t n, char* scratch, std::size_t* got) = 0;
  // Reads up to n bytes as Read does, into *bytes, which is empty only at the end of the file.
  // Where the system can map the file, the bytes are not copied: *bytes then points into the
  // mapping and stays valid until the next call on this file; when another program cuts the file
  // shorter meanwhile, the lost bytes read as zeros and the next call (Read, ReadInPlace, Rewind,
  // Close) fails. Elsewhere they are read into scratch (room for n).
  virtual Status ReadInPlace(std::size_t n, char* scratch, std::string_view* bytes);
  // The file's size in bytes in *size, without reading it.
  virtual Status Size(std::uint64_t* size) = 0;
  // Goes back to the start of the file: the next Read gives its first bytes again.
  virtual Status Rewind() = 0;
  virtual Status Close() = 0;
};

// A file open for writing or appending, in binary mode (no line-end translation on any platform).
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual Status Append(std::string_view data) = 0;
  // Hands what was appended to the system, so it survives the end of the process.
  virtual Status Flush() = 0;
  // Flushes and hands the file's data to stable storage, so it survives a power failure.
  virtual Status Sync() = 0;
  // The file's size in bytes in *size, what was appended included (it is flushed first).
  virtual Status Size(std::uint64_t* size) = 0;
  // Cuts the file back to its first size bytes, dropping what was appended but not yet flushed.
  // Precondition: the file is no shorter than size.
  virtual Status Truncate(std::uint64_t size) = 0;
  // Flushes and closes; a failure here means the data may not be on disk.
  virtual Status Close() = 0;
};

// An exclusive lock on a folder, held until the object is destroyed or the process ends in any
// way (the system releases it). It keeps other Orlith processes out, not other programs.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

// An entry of a folder, as FileEnv::ListFolder gives it; a symlink counts as what it points to.
struct FolderEntry {
  std::string name;  // without the folder
  bool regularFile = false;
  bool folder = false;
};

class FileEnv {
 public:
  virtual ~FileEnv() = default;
  // Opens a regular file (or a symlink to one). A missing file is kNotFound; a folder, a FIFO or
  // a device is refused at once (never waited on) with an error.
  virtual Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) = 0;
  // Creates the file, or empties an existing regular one.
  virtual Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) = 0;
  // Creates the file when missing; every write goes to its end. Only a regular file (or a
  // symlink to one) is opened: anything else is refused at once with an error.
  virtual Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) = 0;
  // Creates a new, empty file in the folder of path, exclusively, under a name no other file or
  // process uses, never through a symlink; its path goes to *temp. It is meant to be renamed over
  // path: the failures of the open and of the file name path, the file the user knows.
  virtual Status CreateTemporary(const std::string& path, std::string* temp,
                                 std::unique_ptr<WritableFile>* file) = 0;
  // Renames from over to, replacing to (a symlink at to itself, not its target) in one step;
  // where the system allows, the rename is on stable storage when it returns.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  // Hands the folder's entries (a rename into it) to stable storage; OK where the rename did.
  virtual Status SyncFolder(const std::string& folder) = 0;
  // Hands the data of the regular file at path to stable storage.
  virtual Status SyncFile(const std::string& path) = 0;
  // Removes the file; a missing file is not an error.
  virtual Status Remove(const std::string& path) = 0;
  // The last n bytes of the regular file (all of it when it is shorter) in *tail.
  virtual Status ReadTail(const std::string& path, std::size_t n, std::string* tail) = 0;
  // OK when the file system can hold a file at path (its name and its whole path not too long,
  // no folder in its place); otherwise an error naming path with the system's reason. Nothing
  // is created.
  virtual Status CheckPath(const std::string& path) = 0;
  // Tries once to take the exclusive lock of folder (the current one when empty). OK with the
  // lock in *lock; OK with *lock null when another process holds it; an error when the folder
  // cannot be opened (kNotFound when it is missing).
  virtual Status TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) = 0;
  // Creates the folder and every missing folder above it; one that exists already is no error,
  // a file in its place is.
  virtual Status CreateFolders(const std::string& path) = 0;
  // The entries of folder (the current one when empty), "." and ".." left out, sorted by name.
  // A missing folder is kNotFound; one that cannot be read is an error naming it.
  virtual Status ListFolder(const std::string& folder, std::vector<FolderEntry>* entries);
  // *is_folder: path names a folder (or a symlink to one). A missing path gives false and OK.
  virtual Status IsFolder(const std::string& path, bool* is_folder);
  // Exchanges the contents of the regular files a and b (in the same folder): each name then
  // holds the other's old file. Where the system can, in one step; otherwise each file is copied
  // to a private temporary name beside the other (synced) and the copies are renamed over the
  // names, so at every moment each name holds one of the two files, whole. A failure before the
  // first rename changes nothing; the failures name a or b.
  virtual Status Exchange(const std::string& a, const std::string& b);
};

// The real files of the machine, through the C library. Never null; lives for the whole program.
FileEnv* DefaultFileEnv();

// Appends text to the file (created when missing), flushes and closes it; with line_by_line,
// each line (ended by a line feed) is flushed as it is written. On a failure of any of these
// steps the file is cut back, through the handle that appended, to the size it had before, so it
// holds exactly its old bytes, and the first failure is returned; when that cut fails too, the
// reason says so as well. Only a regular file is appended to.
Status AppendWholeOrNothing(FileEnv& env, const std::string& path, std::string_view text,
                            bool line_by_line = false);

// Reads the whole regular file into *bytes when it holds at most max bytes; a longer one (also
// one that grows past max while it is read) is not read whole and sets *too_large.
Status ReadSmallFile(FileEnv& env, const std::string& path, std::uint64_t max, std::string* bytes,
                     bool* too_large);

// Has write fill a new temporary file beside path, then renames it over path, so path holds its
// old bytes or all the new ones, never a part. With sync the temporary file is on stable storage
// before the rename. On a failure, write's included, the temporary file is removed (never path)
// and the failure returned; the failures of the file name path. The folder's sync is the caller's.
Status ReplaceWith(FileEnv& env, const std::string& path,
                   const std::function<Status(WritableFile& file)>& write, bool sync);

// ReplaceWith for bytes held in memory; with sync the folder is on stable storage after the
// rename too.
Status ReplaceWhole(FileEnv& env, const std::string& path, std::string_view bytes, bool sync);

// The folder that holds path ("" for the current one).
std::string FolderOf(const std::string& path);

// How long a command waits for another Orlith to finish in the folder.
inline constexpr int kFolderLockWaitMs = 30000;

// What a desktop program does while a command waits for another Orlith's lock: onWaiting once
// after the first failed try (it shows a note), cancelled before every later try (it lets the
// program handle its events and says whether the user gave up), onEnd once when the wait ends in
// any way (it hides the note). Each may be empty.
struct LockWait {
  std::function<void()> onWaiting;
  std::function<bool()> cancelled;
  std::function<void()> onEnd;
};

// Takes the folder's lock, waiting up to wait_ms for another process to release it. A folder that
// is missing gives OK with no lock (there is nothing to protect; the command will find no
// scenery.cfg). *busy is set when the wait ran out. With wait, the user may end the wait early:
// then OK with no lock and *cancelled set (cancelled may be null without wait).
Status LockFolder(FileEnv& env, const std::string& folder, int wait_ms, bool* busy,
                  std::unique_ptr<FolderLock>* lock, const LockWait* wait = nullptr,
                  bool* cancelled = nullptr);

}  // namespace orlith
