// A FileEnv for tests that passes everything to a real one, except the operations it is told to
// make fail: a chosen operation on a chosen file, with a chosen system reason. It also counts the
// operations per file, so a test can check how often a file was opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/file_env.h"
#include "core/status.h"

namespace orlith::testing {

enum class FaultOp {
  kOpenForReading,
  kOpenForWriting,
  kOpenForAppending,  // a temporary file's creation counts as opening its target for writing
  kRead,
  kAppend,  // a write to a file open for writing or appending
  kFlush,
  kClose,   // the data handed to a close is still written; only the result is a failure
  kRename,  // matches the source or the target name; counted for both
  kRemove,
  kReadTail,
  kFileSize,  // the size of an open file
  kTruncate,  // the cut back of an open file
  kSync,      // an open file, or a file by its name, to stable storage
  kSyncFolder,
  kLock,  // the folder's lock ("." names the current folder)
  kCheckPath,
  kCreateFolders,
  kRewind,
  kListFolder,  // the folder's entries ("." names the current folder)
  kIsFolder,
  kExchange,  // matches either name; counted for both
};

struct Fault {
  FaultOp op;
  // The file's name ("scenery.org") or its whole path as the operation names it.
  std::string file;
  std::string reason = "Input/output error";
  Status::Kind kind = Status::Kind::kIoError;
  // How many matching calls succeed before the failures begin; every later one fails.
  int succeed_first = 0;
  // For kAppend: how many bytes of a failing write still reach the file first, as on a
  // full disk.
  std::size_t written = 0;
};

class FaultEnv : public FileEnv {
 public:
  // base is not owned and must outlive this object.
  explicit FaultEnv(FileEnv* base = DefaultFileEnv());
  ~FaultEnv() override;

  void Add(Fault fault);
  // How many times op was called on the file (matched as in Fault::file), failed calls included.
  int Count(FaultOp op, const std::string& file) const;

  struct Call {
    FaultOp op;
    std::string path;
  };
  // Every call so far, in order.
  const std::vector<Call>& calls() const { return calls_; }
  // Where the first call of op on file is in calls(), or -1.
  int FirstCall(FaultOp op, const std::string& file) const;
  int LastCall(FaultOp op, const std::string& file) const;

  Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override;
  Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) override;
  Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) override;
  Status CreateTemporary(const std::string& path, std::string* temp,
                         std::unique_ptr<WritableFile>* file) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status SyncFolder(const std::string& folder) override;
  Status SyncFile(const std::string& path) override;
  Status Remove(const std::string& path) override;
  Status ReadTail(const std::string& path, std::size_t n, std::string* tail) override;
  Status CheckPath(const std::string& path) override;
  Status TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) override;
  Status CreateFolders(const std::string& path) override;
  Status ListFolder(const std::string& folder, std::vector<FolderEntry>* entries) override;
  Status IsFolder(const std::string& path, bool* is_folder) override;
  Status Exchange(const std::string& a, const std::string& b) override;

  // Exchange goes the portable way (copies and renames) through this object, so its steps can
  // fail on request, instead of the base's own.
  bool exchangeByRenames = false;

  // Counts the call and returns the failure planned for it, or OK; other_path, when given, is a
  // second file the call concerns (the source of a rename); *written, when given, receives the
  // failure's Fault::written. Used by the wrapped files too.
  Status Check(FaultOp op, const std::string& path, const std::string* other_path = nullptr,
               std::size_t* written = nullptr);

 private:
  struct Planned {
    Fault fault;
    int seen = 0;
  };
  FileEnv* base_;
  std::vector<Planned> faults_;
  std::vector<Call> calls_;
};

}  // namespace orlith::testing
