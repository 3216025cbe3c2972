#include "test_support/fault_env.h"

#include <utility>

namespace orlith::testing {
namespace {

bool Matches(const std::string& path, const std::string& file) {
  if (path == file) return true;
  std::size_t slash = path.find_last_of("/\\");
  return slash != std::string::npos && path.compare(slash + 1, std::string::npos, file) == 0;
}

class FaultReadableFile : public ReadableFile {
 public:
  FaultReadableFile(FaultEnv* env, std::string path, std::unique_ptr<ReadableFile> base)
      : env_(env), path_(std::move(path)), base_(std::move(base)) {}
  Status Read(std::size_t n, char* scratch, std::size_t* got) override {
    *got = 0;
    Status s = env_->Check(FaultOp::kRead, path_);
    if (!s.ok()) return s;
    return base_->Read(n, scratch, got);
  }
  Status Size(std::uint64_t* size) override {
    *size = 0;
    Status s = env_->Check(FaultOp::kFileSize, path_);
    if (!s.ok()) return s;
    return base_->Size(size);
  }
  Status Rewind() override {
    Status s = env_->Check(FaultOp::kRewind, path_);
    if (!s.ok()) return s;
    return base_->Rewind();
  }
  Status Close() override {
    Status s = env_->Check(FaultOp::kClose, path_);
    s.Update(base_->Close());
    return s;
  }

 private:
  FaultEnv* env_;
  std::string path_;
  std::unique_ptr<ReadableFile> base_;
};

class FaultWritableFile : public WritableFile {
 public:
  FaultWritableFile(FaultEnv* env, std::string path, std::unique_ptr<WritableFile> base)
      : env_(env), path_(std::move(path)), base_(std::move(base)) {}
  Status Append(std::string_view data) override {
    std::size_t written = 0;
    Status s = env_->Check(FaultOp::kAppend, path_, nullptr, &written);
    if (!s.ok()) {
      if (written > 0) {
        base_->Append(data.substr(0, written));
        base_->Flush();
      }
      return s;
    }
    return base_->Append(data);
  }
  Status Flush() override {
    Status s = env_->Check(FaultOp::kFlush, path_);
    if (!s.ok()) return s;
    return base_->Flush();
  }
  Status Sync() override {
    Status s = env_->Check(FaultOp::kSync, path_);
    if (!s.ok()) return s;
    return base_->Sync();
  }
  Status Size(std::uint64_t* size) override {
    *size = 0;
    Status s = env_->Check(FaultOp::kFileSize, path_);
    if (!s.ok()) return s;
    return base_->Size(size);
  }
  Status Truncate(std::uint64_t size) override {
    Status s = env_->Check(FaultOp::kTruncate, path_);
    if (!s.ok()) return s;
    return base_->Truncate(size);
  }
  Status Close() override {
    Status s = env_->Check(FaultOp::kClose, path_);
    s.Update(base_->Close());
    return s;
  }

 private:
  FaultEnv* env_;
  std::string path_;
  std::unique_ptr<WritableFile> base_;
};

}  // namespace

FaultEnv::FaultEnv(FileEnv* base) : base_(base) {}
FaultEnv::~FaultEnv() = default;

void FaultEnv::Add(Fault fault) { faults_.push_back({std::move(fault), 0}); }

int FaultEnv::Count(FaultOp op, const std::string& file) const {
  int n = 0;
  for (const Call& call : calls_) {
    if (call.op == op && Matches(call.path, file)) ++n;
  }
  return n;
}

int FaultEnv::FirstCall(FaultOp op, const std::string& file) const {
  for (std::size_t i = 0; i < calls_.size(); ++i) {
    if (calls_[i].op == op && Matches(calls_[i].path, file)) return static_cast<int>(i);
  }
  return -1;
}

int FaultEnv::LastCall(FaultOp op, const std::string& file) const {
  for (std::size_t i = calls_.size(); i-- > 0;) {
    if (calls_[i].op == op && Matches(calls_[i].path, file)) return static_cast<int>(i);
  }
  return -1;
}

Status FaultEnv::Check(FaultOp op, const std::string& path, const std::string* other_path,
                       std::size_t* written) {
  calls_.push_back({op, path});
  if (other_path != nullptr) calls_.push_back({op, *other_path});
  for (Planned& planned : faults_) {
    if (planned.fault.op != op) continue;
    if (!Matches(path, planned.fault.file) &&
        (other_path == nullptr || !Matches(*other_path, planned.fault.file))) {
      continue;
    }
    if (planned.seen++ < planned.fault.succeed_first) continue;
    if (written != nullptr) *written = planned.fault.written;
    return planned.fault.kind == Status::Kind::kNotFound
               ? Status::NotFound(path, planned.fault.reason)
               : Status::IoError(path, planned.fault.reason);
  }
  return Status::Ok();
}

Status FaultEnv::OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) {
  Status s = Check(FaultOp::kOpenForReading, path);
  if (!s.ok()) return s;
  std::unique_ptr<ReadableFile> base;
  s = base_->OpenForReading(path, &base);
  if (s.ok()) *file = std::make_unique<FaultReadableFile>(this, path, std::move(base));
  return s;
}

Status FaultEnv::OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) {
  Status s = Check(FaultOp::kOpenForWriting, path);
  if (!s.ok()) return s;
  std::unique_ptr<WritableFile> base;
  s = base_->OpenForWriting(path, &base);
  if (s.ok()) *file = std::make_unique<FaultWritableFile>(this, path, std::move(base));
  return s;
}

Status FaultEnv::OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) {
  Status s = Check(FaultOp::kOpenForAppending, path);
  if (!s.ok()) return s;
  std::unique_ptr<WritableFile> base;
  s = base_->OpenForAppending(path, &base);
  if (s.ok()) *file = std::make_unique<FaultWritableFile>(this, path, std::move(base));
  return s;
}

Status FaultEnv::Rename(const std::string& from, const std::string& to) {
  Status s = Check(FaultOp::kRename, to, &from);
  if (!s.ok()) return s;
  return base_->Rename(from, to);
}

Status FaultEnv::Remove(const std::string& path) {
  Status s = Check(FaultOp::kRemove, path);
  if (!s.ok()) return s;
  return base_->Remove(path);
}

Status FaultEnv::CreateTemporary(const std::string& path, std::string* temp,
                                 std::unique_ptr<WritableFile>* file) {
  Status s = Check(FaultOp::kOpenForWriting, path);
  if (!s.ok()) return s;
  std::unique_ptr<WritableFile> base;
  s = base_->CreateTemporary(path, temp, &base);
  if (s.ok()) *file = std::make_unique<FaultWritableFile>(this, path, std::move(base));
  return s;
}

Status FaultEnv::SyncFolder(const std::string& folder) {
  Status s = Check(FaultOp::kSyncFolder, folder.empty() ? "." : folder);
  if (!s.ok()) return s;
  return base_->SyncFolder(folder);
}

Status FaultEnv::SyncFile(const std::string& path) {
  Status s = Check(FaultOp::kSync, path);
  if (!s.ok()) return s;
  return base_->SyncFile(path);
}

Status FaultEnv::ReadTail(const std::string& path, std::size_t n, std::string* tail) {
  tail->clear();
  Status s = Check(FaultOp::kReadTail, path);
  if (!s.ok()) return s;
  return base_->ReadTail(path, n, tail);
}

Status FaultEnv::CheckPath(const std::string& path) {
  Status s = Check(FaultOp::kCheckPath, path);
  if (!s.ok()) return s;
  return base_->CheckPath(path);
}

Status FaultEnv::TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) {
  lock->reset();
  Status s = Check(FaultOp::kLock, folder.empty() ? "." : folder);
  if (!s.ok()) return s;
  return base_->TryLockFolder(folder, lock);
}

Status FaultEnv::CreateFolders(const std::string& path) {
  Status s = Check(FaultOp::kCreateFolders, path);
  if (!s.ok()) return s;
  return base_->CreateFolders(path);
}

Status FaultEnv::ListFolder(const std::string& folder, std::vector<FolderEntry>* entries) {
  entries->clear();
  Status s = Check(FaultOp::kListFolder, folder.empty() ? "." : folder);
  if (!s.ok()) return s;
  return base_->ListFolder(folder, entries);
}

Status FaultEnv::IsFolder(const std::string& path, bool* is_folder) {
  *is_folder = false;
  Status s = Check(FaultOp::kIsFolder, path);
  if (!s.ok()) return s;
  return base_->IsFolder(path, is_folder);
}

Status FaultEnv::Exchange(const std::string& a, const std::string& b) {
  Status s = Check(FaultOp::kExchange, a, &b);
  if (!s.ok()) return s;
  return exchangeByRenames ? FileEnv::Exchange(a, b) : base_->Exchange(a, b);
}

}  // namespace orlith::testing
