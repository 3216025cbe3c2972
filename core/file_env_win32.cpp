// The file access of the Windows build: the C library's streams for reading and writing, the
// Win32 API where the streams have no word for it (exclusive creation, flushing to the disk,
// renaming through to the disk, locking).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/file_env.h"

namespace orlith {
namespace {

constexpr char kNotRegular[] = "Not a regular file";
// The file whose lock stands for the folder's: LockFileEx needs a file.
constexpr char kLockFileName[] = "orlith.lock";

Status Win32Error(const std::string& path, DWORD error) {
  const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  const std::string reason = std::system_category().message(static_cast<int>(error));
  return missing ? Status::NotFound(path, reason) : Status::IoError(path, reason);
}

Status ErrnoError(const std::string& path) {
  return Status::IoError(path, ErrnoText(errno != 0 ? errno : EIO));
}

HANDLE HandleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

// Opens with fopen, refusing at once anything that is not a file on a disk (a device such as
// NUL or CON, a pipe). nullptr with *status set on failure.
std::FILE* OpenRegular(const std::string& path, const char* mode, Status* status) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (f == nullptr) {
    int err = errno;
    *status = err == ENOENT ? Status::NotFound(path, ErrnoText(err))
                            : Status::IoError(path, ErrnoText(err != 0 ? err : EIO));
    return nullptr;
  }
  if (GetFileType(HandleOf(f)) != FILE_TYPE_DISK) {
    std::fclose(f);
    *status = Status::IoError(path, kNotRegular);
    return nullptr;
  }
  return f;
}

Status SizeOf(const std::string& path, std::FILE* file, std::uint64_t* size) {
  *size = 0;
  const long long n = _filelengthi64(_fileno(file));
  if (n < 0) return ErrnoError(path);
  *size = static_cast<std::uint64_t>(n);
  return Status::Ok();
}

class StdioReadableFile : public ReadableFile {
 public:
  StdioReadableFile(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {}
  ~StdioReadableFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  Status Read(std::size_t n, char* scratch, std::size_t* got) override {
    errno = 0;
    *got = std::fread(scratch, 1, n, file_);
    if (*got == 0 && std::ferror(file_)) return ErrnoError(path_);
    return Status::Ok();
  }
  Status Size(std::uint64_t* size) override { return SizeOf(path_, file_, size); }
  Status Rewind() override {
    errno = 0;
    if (_fseeki64(file_, 0, SEEK_SET) != 0) return ErrnoError(path_);
    return Status::Ok();
  }
  Status Close() override {
    std::FILE* file = file_;
    file_ = nullptr;
    if (file != nullptr && std::fclose(file) != 0) return ErrnoError(path_);
    return Status::Ok();
  }

 private:
  std::string path_;
  std::FILE* file_;
};

// Unbuffered, so that a failed write leaves nothing behind in the stream that a later close or
// a cut back would write again.
class StdioWritableFile : public WritableFile {
 public:
  StdioWritableFile(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
  }
  ~StdioWritableFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  Status Append(std::string_view data) override {
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), file_) != data.size()) return ErrnoError(path_);
    return Status::Ok();
  }
  Status Flush() override {
    errno = 0;
    if (std::fflush(file_) != 0) return ErrnoError(path_);
    return Status::Ok();
  }
  Status Sync() override {
    Status s = Flush();
    if (s.ok() && !FlushFileBuffers(HandleOf(file_))) s = Win32Error(path_, GetLastError());
    return s;
  }
  Status Size(std::uint64_t* size) override {
    Status s = Flush();
    if (!s.ok()) return s;
    return SizeOf(path_, file_, size);
  }
  Status Truncate(std::uint64_t size) override {
    errno = _chsize_s(_fileno(file_), static_cast<long long>(size));
    if (errno != 0) return ErrnoError(path_);
    // The next append goes to the new end, not where the last write stopped.
    if (_fseeki64(file_, static_cast<long long>(size), SEEK_SET) != 0) return ErrnoError(path_);
    return Status::Ok();
  }
  Status Close() override {
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (file != nullptr && std::fclose(file) != 0) return ErrnoError(path_);
    return Status::Ok();
  }

 private:
  std::string path_;
  std::FILE* file_;
};

class Win32FolderLock : public FolderLock {
 public:
  explicit Win32FolderLock(HANDLE file) : file_(file) {}
  ~Win32FolderLock() override { CloseHandle(file_); }  // closing releases the lock

 private:
  HANDLE file_;
};

class StdioFileEnv : public FileEnv {
 public:
  Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
    Status s;
    std::FILE* f = OpenRegular(path, "rb", &s);
    if (f == nullptr) return s;
    *file = std::make_unique<StdioReadableFile>(path, f);
    return Status::Ok();
  }
  Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, "wb", file);
  }
  Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, "ab", file);
  }
  Status CreateTemporary(const std::string& path, std::string* temp,
                         std::unique_ptr<WritableFile>* file) override {
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(path);
    for (;;) {
      *temp = (folder.empty() ? "" : folder + "\\") + "orlith-" +
              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
      // CREATE_NEW fails on any existing name, a symbolic link included.
      HANDLE h = CreateFileA(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        return Win32Error(path, error);
      }
      int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
      std::FILE* f = fd < 0 ? nullptr : _fdopen(fd, "wb");
      if (f == nullptr) {
        Status s = ErrnoError(path);
        if (fd >= 0) {
          _close(fd);
        } else {
          CloseHandle(h);
        }
        DeleteFileA(temp->c_str());
        return s;
      }
      *file = std::make_unique<StdioWritableFile>(path, f);
      return Status::Ok();
    }
  }
  Status Rename(const std::string& from, const std::string& to) override {
    if (!MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return Status::IoError(to, Win32Error(to, GetLastError()).reason());
    }
    return Status::Ok();
  }
  // MoveFileEx with MOVEFILE_WRITE_THROUGH returns once the rename is on the disk.
  Status SyncFolder(const std::string&) override { return Status::Ok(); }
  Status SyncFile(const std::string& path) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Win32Error(path, GetLastError());
    Status s;
    if (GetFileType(h) != FILE_TYPE_DISK) {
      s = Status::IoError(path, kNotRegular);
    } else if (!FlushFileBuffers(h)) {
      s = Win32Error(path, GetLastError());
    }
    CloseHandle(h);
    return s;
  }
  Status Remove(const std::string& path) override {
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(path), ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
  }
  Status ReadTail(const std::string& path, std::size_t n, std::string* tail) override {
    tail->clear();
    Status s;
    std::FILE* f = OpenRegular(path, "rb", &s);
    if (f == nullptr) return s;
    std::uint64_t size = 0;
    s = SizeOf(path, f, &size);
    if (s.ok()) {
      std::size_t want = size < n ? static_cast<std::size_t>(size) : n;
      tail->resize(want);
      errno = 0;
      if (_fseeki64(f, static_cast<long long>(size - want), SEEK_SET) != 0 ||
          std::fread(tail->data(), 1, want, f) != want) {
        s = ErrnoError(path);
      }
    }
    std::fclose(f);
    if (!s.ok()) tail->clear();
    return s;
  }
  Status CheckPath(const std::string& path) override {
    // Without long path support a name holds 255 characters and a whole path fewer than 260.
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t name = slash == std::string::npos ? path.size() : path.size() - slash - 1;
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (name > 255 || length == 0 || length >= MAX_PATH) {
      return Status::IoError(path, ErrnoText(ENAMETOOLONG));
    }
    // A folder of that name cannot be replaced by the file.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      return Status::IoError(path, ErrnoText(EISDIR));
    }
    return Status::Ok();
  }
  Status TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) override {
    lock->reset();
    const std::string path = (folder.empty() ? "" : folder + "\\") + kLockFileName;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Win32Error(path, GetLastError());
    OVERLAPPED at{};
    if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      *lock = std::make_unique<Win32FolderLock>(h);
      return Status::Ok();
    }
    DWORD error = GetLastError();
    CloseHandle(h);
    return error == ERROR_LOCK_VIOLATION ? Status::Ok() : Win32Error(path, error);
  }

  Status CreateFolders(const std::string& path) override {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path), ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
  }

 private:
  static Status OpenWritable(const std::string& path, const char* mode,
                             std::unique_ptr<WritableFile>* file) {
    Status s;
    std::FILE* f = OpenRegular(path, mode, &s);
    if (f == nullptr) return s;
    *file = std::make_unique<StdioWritableFile>(path, f);
    return Status::Ok();
  }
};

}  // namespace

FileEnv* DefaultFileEnv() {
  static StdioFileEnv env;
  return &env;
}

}  // namespace orlith
