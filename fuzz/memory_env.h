// A FileEnv that keeps its files in memory, for fuzz targets that run thousands of operations a
// second. It can make the n-th file operation fail, so a target can cut any operation short.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/file_env.h"

namespace orlith::fuzzing {

class MemoryEnv : public FileEnv {
 public:
  std::map<std::string, std::string> files;

  // The n-th call (counting from 0) of any operation, on any file or handle, fails with an I/O
  // error, and so does every later one; negative: nothing fails. A failed write keeps the first
  // half of its data, as a full disk does. Truncate is spared unless SpareTruncate(false).
  void FailFrom(int n) { fail_from_ = n; }
  // Whether Truncate always works, so a failed append can be undone even after the failures begin.
  void SpareTruncate(bool spare) { spare_truncate_ = spare; }
  bool failed() const { return failed_; }

  Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override;
  Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) override;
  Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status CreateTemporary(const std::string& path, std::string* temp,
                         std::unique_ptr<WritableFile>* file) override;
  Status SyncFolder(const std::string& folder) override;
  Status SyncFile(const std::string& path) override;
  Status Remove(const std::string& path) override;
  Status ReadTail(const std::string& path, std::size_t n, std::string* tail) override;
  Status CheckPath(const std::string& path) override;
  Status TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) override;
  // Folders are not kept: every path is a folder that exists.
  Status CreateFolders(const std::string& path) override;

  // Counts the call; the planned failure for path, or OK.
  Status Step(const std::string& path);
  // A cut back: counted as a call only when truncation is not spared.
  Status TruncateStep(const std::string& path);

 private:
  int calls_ = 0;
  int fail_from_ = -1;
  bool failed_ = false;
  bool spare_truncate_ = true;
  int temporaries_ = 0;
};

}  // namespace orlith::fuzzing
