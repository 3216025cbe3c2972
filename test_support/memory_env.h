// Files in memory, for tests and fuzz targets that run thousands of operations a second: a
// FileEnv that can make the n-th file operation fail, so any operation can be cut short, and a
// ReadableFile over text already in memory.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch.h"
#include "app/csv_reader.h"
#include "core/file_env.h"

namespace orlith::testing {

class MemoryEnv : public FileEnv {
 public:
  std::map<std::string, std::string> files;
  // Reads give at most this many bytes, so lines meet the edges of the blocks read.
  std::size_t readPiece = 7;

  // The n-th call (counting from 0) of any operation, on any file or handle, fails with an I/O
  // error, and so does every later one; negative: nothing fails. A failed write keeps the first
  // half of its data, as a full disk does. Truncate is spared unless SpareTruncate(false).
  // With only, just the calls on that file (as the operation names it) count and fail.
  void FailFrom(int n, std::string only = {}) {
    fail_from_ = n;
    only_ = std::move(only);
  }
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
  // The files directly in folder, by name; a folder is there when it holds a file.
  Status ListFolder(const std::string& folder, std::vector<FolderEntry>* entries) override;
  Status IsFolder(const std::string& path, bool* is_folder) override;

  // Counts the call; the planned failure for path, or OK.
  Status Step(const std::string& path);
  // A cut back: counted as a call only when truncation is not spared.
  Status TruncateStep(const std::string& path);

 private:
  int calls_ = 0;
  int fail_from_ = -1;
  std::string only_;
  bool failed_ = false;
  bool spare_truncate_ = true;
  int temporaries_ = 0;
};

// A ReadableFile over bytes in memory, for text that is already read. The bytes must outlive it.
class TextFile : public ReadableFile {
 public:
  explicit TextFile(std::string_view text) : text_(text) {}
  Status Read(std::size_t n, char* scratch, std::size_t* got) override;
  Status Size(std::uint64_t* size) override {
    *size = text_.size();
    return Status::Ok();
  }
  Status Rewind() override {
    at_ = 0;
    return Status::Ok();
  }
  Status Close() override { return Status::Ok(); }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

// Splits text into records with CsvReader (with no limit on a record's size). false with
// "line N: ..." in *error when the text breaks the quoting rules.
bool ParseCsv(std::string_view text, std::vector<CsvRecord>* records, std::string* error);

// Every row of csv read by BatchReader into *rows: 0, or the status and message of the first
// failure (then *rows holds the rows before it).
int ReadBatch(std::string_view csv, std::vector<BatchRow>* rows, std::string* error);

}  // namespace orlith::testing
