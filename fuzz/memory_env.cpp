#include "fuzz/memory_env.h"

#include <algorithm>
#include <cstring>

namespace orlith::fuzzing {
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
    *got = std::min({n, data_.size() - at_, std::size_t{7}});
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

}  // namespace orlith::fuzzing
