#include "test_support/memory_env.h"

#include <algorithm>
#include <cstring>

namespace orlith::testing {
namespace {

Status Missing(const std::string& path) {
  return Status::NotFound(path, "No such file or directory");
}

class MemoryReadable : public ReadableFile {
 public:
  MemoryReadable(MemoryEnv* env, std::string path, std::string data)
      : env_(env), path_(std::move(path)), data_(std::move(data)) {}
  Status Read(std::size_t n, char* scratch, std::size_t* got) override {
    *got = 0;
    if (Status s = env_->Step(path_); !s.ok()) return s;
    // Short reads, as a real file may give them, exercise lines that span two reads.
    *got = std::min({n, data_.size() - at_, env_->readPiece});
    std::memcpy(scratch, data_.data() + at_, *got);
    at_ += *got;
    return Status::Ok();
  }
  Status Size(std::uint64_t* size) override {
    *size = data_.size();
    return env_->Step(path_);
  }
  Status Rewind() override {
    if (Status s = env_->Step(path_); !s.ok()) return s;
    at_ = 0;
    return Status::Ok();
  }
  Status Close() override { return env_->Step(path_); }

 private:
  MemoryEnv* env_;
  std::string path_;
  std::string data_;
  std::size_t at_ = 0;
};

class MemoryWritable : public WritableFile {
 public:
  // path: where the bytes go; shown: the file its failures name (a temporary file's target).
  MemoryWritable(MemoryEnv* env, std::string path, std::string shown)
      : env_(env), path_(std::move(path)), shown_(std::move(shown)) {}
  Status Append(std::string_view data) override {
    Status s = env_->Step(shown_);
    env_->files[path_].append(s.ok() ? data : data.substr(0, data.size() / 2));
    return s;
  }
  Status Flush() override { return env_->Step(shown_); }
  Status Sync() override { return env_->Step(shown_); }
  Status Size(std::uint64_t* size) override {
    *size = 0;
    if (Status s = env_->Step(shown_); !s.ok()) return s;
    *size = env_->files[path_].size();
    return Status::Ok();
  }
  Status Truncate(std::uint64_t size) override {
    if (Status s = env_->TruncateStep(shown_); !s.ok()) return s;
    std::string& data = env_->files[path_];
    if (size < data.size()) data.resize(static_cast<std::size_t>(size));
    return Status::Ok();
  }
  Status Close() override { return env_->Step(shown_); }

 private:
  MemoryEnv* env_;
  std::string path_;
  std::string shown_;
};

}  // namespace

Status MemoryEnv::Step(const std::string& path) {
  if (!only_.empty() && path != only_) return Status::Ok();
  if (fail_from_ >= 0 && calls_++ >= fail_from_) {
    failed_ = true;
    return Status::IoError(path, "Input/output error");
  }
  return Status::Ok();
}

Status MemoryEnv::OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) {
  if (Status s = Step(path); !s.ok()) return s;
  auto it = files.find(path);
  if (it == files.end()) return Missing(path);
  *file = std::make_unique<MemoryReadable>(this, path, it->second);
  return Status::Ok();
}

Status MemoryEnv::OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) {
  if (Status s = Step(path); !s.ok()) return s;
  files[path].clear();
  *file = std::make_unique<MemoryWritable>(this, path, path);
  return Status::Ok();
}

Status MemoryEnv::OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) {
  if (Status s = Step(path); !s.ok()) return s;
  files[path];
  *file = std::make_unique<MemoryWritable>(this, path, path);
  return Status::Ok();
}

Status MemoryEnv::Rename(const std::string& from, const std::string& to) {
  if (Status s = Step(to); !s.ok()) return s;
  auto it = files.find(from);
  if (it == files.end()) return Missing(from);
  files[to] = std::move(it->second);
  files.erase(from);
  return Status::Ok();
}

Status MemoryEnv::Remove(const std::string& path) {
  if (Status s = Step(path); !s.ok()) return s;
  files.erase(path);
  return Status::Ok();
}

Status MemoryEnv::ReadTail(const std::string& path, std::size_t n, std::string* tail) {
  tail->clear();
  if (Status s = Step(path); !s.ok()) return s;
  auto it = files.find(path);
  if (it == files.end()) return Missing(path);
  *tail = it->second.substr(it->second.size() - std::min(n, it->second.size()));
  return Status::Ok();
}

Status MemoryEnv::TruncateStep(const std::string& path) {
  return spare_truncate_ ? Status::Ok() : Step(path);
}

Status MemoryEnv::CreateTemporary(const std::string& path, std::string* temp,
                                  std::unique_ptr<WritableFile>* file) {
  if (Status s = Step(path); !s.ok()) return s;
  const std::size_t slash = path.find_last_of('/');
  *temp = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + "orlith-" +
          std::to_string(temporaries_++) + ".tmp";
  files[*temp].clear();
  *file = std::make_unique<MemoryWritable>(this, *temp, path);
  return Status::Ok();
}

Status MemoryEnv::SyncFolder(const std::string& folder) { return Step(folder); }

Status MemoryEnv::SyncFile(const std::string& path) {
  if (Status s = Step(path); !s.ok()) return s;
  return files.count(path) != 0 ? Status::Ok() : Missing(path);
}

Status MemoryEnv::CheckPath(const std::string& path) { return Step(path); }

Status MemoryEnv::TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) {
  if (Status s = Step(folder); !s.ok()) return s;
  *lock = std::make_unique<FolderLock>();
  return Status::Ok();
}

Status MemoryEnv::CreateFolders(const std::string& path) { return Step(path); }

Status MemoryEnv::ListFolder(const std::string& folder, std::vector<FolderEntry>* entries) {
  entries->clear();
  if (Status s = Step(folder); !s.ok()) return s;
  const std::string prefix = folder.empty() || folder == "." ? "" : folder + "/";
  for (const auto& [path, bytes] : files) {
    if (!path.starts_with(prefix)) continue;
    const std::string rest = path.substr(prefix.size());
    const std::size_t slash = rest.find('/');
    const std::string name = rest.substr(0, slash);
    if (!entries->empty() && entries->back().name == name) continue;
    entries->push_back({name, slash == std::string::npos, slash != std::string::npos});
  }
  return Status::Ok();
}

Status MemoryEnv::IsFolder(const std::string& path, bool* is_folder) {
  *is_folder = false;
  if (Status s = Step(path); !s.ok()) return s;
  auto it = files.lower_bound(path + "/");
  *is_folder = it != files.end() && it->first.starts_with(path + "/");
  return Status::Ok();
}

Status TextFile::Read(std::size_t n, char* scratch, std::size_t* got) {
  *got = std::min(n, text_.size() - at_);
  std::memcpy(scratch, text_.data() + at_, *got);
  at_ += *got;
  return Status::Ok();
}

bool ParseCsv(std::string_view text, std::vector<CsvRecord>* records, std::string* error) {
  records->clear();
  TextFile file(text);
  CsvReader reader(file, text.size());
  CsvRecord record;
  for (;;) {
    switch (reader.Read(&record, error)) {
      case CsvReader::Next::kRecord:
        records->push_back(std::move(record));
        break;
      case CsvReader::Next::kEnd:
        return true;
      default:
        return false;
    }
  }
}

int ReadBatch(std::string_view csv, std::vector<BatchRow>* rows, std::string* error) {
  rows->clear();
  TextFile file(csv);
  BatchReader reader(file);
  for (;;) {
    BatchRow row;
    bool end = false;
    if (int status = reader.Next(&row, &end, error); status != 0) return status;
    if (end) return 0;
    rows->push_back(std::move(row));
  }
}

}  // namespace orlith::testing
