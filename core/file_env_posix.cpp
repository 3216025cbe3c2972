// The file access of POSIX systems, straight through the system calls: no stream layer, so an
// open costs one call and every flush one write.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>

#include "core/file_env.h"

namespace orlith {
namespace {

// Appends are gathered up to this size before they are written, unless flushed earlier.
constexpr std::size_t kWriteBuffer = 64 * 1024;
constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};

// The reason given for a FIFO, a device or a socket where a file is wanted.
constexpr char kNotRegular[] = "Not a regular file";
// The reason given for a symlink whose target is missing, where a file would be created.
constexpr char kDanglingLink[] = "Symbolic link to a missing file";

Status IoError(const std::string& path, int err) {
  return Status::IoError(path, ErrnoText(err != 0 ? err : EIO));
}

Status OpenError(const std::string& path, int err) {
  return err == ENOENT ? Status::NotFound(path, ErrnoText(err)) : IoError(path, err);
}

int Open(const std::string& path, int flags, mode_t mode = 0666) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Opens a regular file without waiting: O_NONBLOCK keeps a FIFO from blocking the open, and the
// file is refused unless fstat finds a regular file. On a regular file O_NONBLOCK changes nothing,
// so it stays (one call less for every open of a batch). The descriptor, or -1 with *status set;
// the file's size at the open in *size when given.
int OpenRegular(const std::string& path, int flags, Status* status, std::uint64_t* size = nullptr) {
  int fd = Open(path, flags | O_NONBLOCK);
  if (fd < 0) {
    *status = OpenError(path, errno);
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    *status = IoError(path, errno);
  } else if (S_ISDIR(info.st_mode)) {
    *status = IoError(path, EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    *status = Status::IoError(path, kNotRegular);
  } else {
    if (size != nullptr) *size = static_cast<std::uint64_t>(info.st_size);
    return fd;
  }
  ::close(fd);
  return -1;
}

Status SizeOf(const std::string& path, int fd, std::uint64_t* size) {
  *size = 0;
  struct stat info {};
  if (::fstat(fd, &info) != 0) return IoError(path, errno);
  *size = static_cast<std::uint64_t>(info.st_size);
  return Status::Ok();
}

Status SyncFd(const std::string& path, int fd) {
  if (::fsync(fd) != 0) return IoError(path, errno);
  return Status::Ok();
}

class PosixFolderLock : public FolderLock {
 public:
  explicit PosixFolderLock(int fd) : fd_(fd) {}
  ~PosixFolderLock() override { ::close(fd_); }  // closing releases the lock

 private:
  int fd_;
};

// The one window of a file that is mapped for reading at a time in this process. When another
// program cuts the file shorter while the window is mapped, a read of the lost pages raises
// SIGBUS; the handler puts zero pages in their place and marks the window, so the reader gets a
// file error at its next call instead of the process dying mid-command.
struct MappedWindow {
  std::atomic<char*> start{nullptr};
  std::atomic<std::size_t> size{0};
  std::atomic<bool> cut{false};
};
MappedWindow g_window;
// Marks the window as taken while its mapping is made, so a second file reads into scratch.
char* const kClaimed = reinterpret_cast<char*>(&g_window);
struct sigaction g_previous_bus_action;

void OnBusError(int signal, siginfo_t* info, void* context) {
  char* const start = g_window.start.load();
  const std::size_t size = g_window.size.load();
  char* const at = static_cast<char*>(info->si_addr);
  if (start != nullptr && start != kClaimed && at >= start && at < start + size &&
      ::mmap(start, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
          MAP_FAILED) {
    g_window.cut = true;
    return;  // the read is done again, on the zero pages
  }
  // Not a window of ours: as if this handler were not there.
  const struct sigaction& previous = g_previous_bus_action;
  if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
    previous.sa_sigaction(signal, info, context);
  } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
  } else {
    ::sigaction(SIGBUS, &previous, nullptr);  // the fault comes again and ends the process
  }
}

// Whether the bus error handler is in place; installed once, at the first mapping.
bool GuardMappings() {
  static std::once_flag once;
  static bool installed = false;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    installed = ::sigaction(SIGBUS, &action, &g_previous_bus_action) == 0;
  });
  return installed;
}

class PosixReadableFile : public ReadableFile {
 public:
  PosixReadableFile(std::string path, int fd, std::uint64_t size = kUnknownSize)
      : path_(std::move(path)), fd_(fd), size_at_open_(size) {}
  ~PosixReadableFile() override {
    Unmap();
    if (fd_ >= 0) ::close(fd_);
  }
  Status Read(std::size_t n, char* scratch, std::size_t* got) override {
    *got = 0;
    if (!Unmap()) return CutShort();
    ssize_t r;
    do {
      r = ::read(fd_, scratch, n);
    } while (r < 0 && errno == EINTR);
    if (r < 0) return IoError(path_, errno);
    *got = static_cast<std::size_t>(r);
    return Status::Ok();
  }
  // The file's pages are mapped a window at a time (the reading position must fall on a page),
  // so the pass costs no copy and the memory in use does not grow with the file.
  Status ReadInPlace(std::size_t n, char* scratch, std::string_view* bytes) override {
    if (!Unmap()) return CutShort();
    static const long page = ::sysconf(_SC_PAGESIZE);
    const off_t at = ::lseek(fd_, 0, SEEK_CUR);
    struct stat info {};
    char* expected = nullptr;
    if (page > 0 && at >= 0 && at % page == 0 && ::fstat(fd_, &info) == 0 && info.st_size > at &&
        GuardMappings() && g_window.start.compare_exchange_strong(expected, kClaimed)) {
      const std::size_t length = std::min(n, static_cast<std::size_t>(info.st_size - at));
      int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
      flags |= MAP_POPULATE;  // the pages are all read at once, so no fault per page
#endif
      void* mapped = ::mmap(nullptr, length, PROT_READ, flags, fd_, at);
      if (mapped != MAP_FAILED) {
        mapped_ = mapped;
        mapped_size_ = length;
        g_window.size = length;
        g_window.start = static_cast<char*>(mapped);
        if (::lseek(fd_, at + static_cast<off_t>(length), SEEK_SET) < 0) {
          const int err = errno;
          Unmap();
          return IoError(path_, err);
        }
        *bytes = std::string_view(static_cast<const char*>(mapped), length);
        return Status::Ok();
      }
      g_window.start = nullptr;
    }
    return ReadableFile::ReadInPlace(n, scratch, bytes);  // not mappable: read as usual
  }
  Status Size(std::uint64_t* size) override { return SizeOf(path_, fd_, size); }
  // A read of a regular file gives less than asked only at its end.
  bool SizeAtOpen(std::uint64_t* size) const override {
    *size = size_at_open_;
    return size_at_open_ != kUnknownSize;
  }
  Status Rewind() override {
    if (!Unmap()) return CutShort();
    if (::lseek(fd_, 0, SEEK_SET) != 0) return IoError(path_, errno);
    return Status::Ok();
  }
  Status Close() override {
    const bool whole = Unmap();
    int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) return IoError(path_, errno);
    return whole ? Status::Ok() : CutShort();
  }

 private:
  // Releases the mapped window; false when the file was cut shorter while it was mapped (its
  // bytes then read as zeros).
  bool Unmap() {
    if (mapped_ == nullptr) return true;
    g_window.start = nullptr;
    ::munmap(mapped_, mapped_size_);
    mapped_ = nullptr;
    return !g_window.cut.exchange(false);
  }
  Status CutShort() const {
    return Status::IoError(path_, "The file was made shorter by another program while it was read");
  }

  std::string path_;
  int fd_;
  void* mapped_ = nullptr;
  std::size_t mapped_size_ = 0;
  std::uint64_t size_at_open_;
};

class PosixWritableFile : public WritableFile {
 public:
  // size: the file's size at the open, when known (so Size asks the system only after writes).
  PosixWritableFile(std::string path, int fd, std::uint64_t size = kUnknownSize)
      : path_(std::move(path)), fd_(fd), known_size_(size) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) {
      WriteAll(buffer_);
      ::close(fd_);
    }
  }
  Status Append(std::string_view data) override {
    if (buffer_.size() + data.size() <= kWriteBuffer) {
      buffer_.append(data);
      return Status::Ok();
    }
    Status s = Flush();
    if (!s.ok()) return s;
    if (data.size() >= kWriteBuffer) return WriteAll(data);
    buffer_.assign(data);
    return Status::Ok();
  }
  Status Flush() override {
    Status s = WriteAll(buffer_);
    buffer_.clear();
    return s;
  }
  Status Sync() override {
    Status s = Flush();
    if (s.ok()) s = SyncFd(path_, fd_);
    return s;
  }
  Status Size(std::uint64_t* size) override {
    Status s = Flush();
    if (!s.ok()) return s;
    if (known_size_ != kUnknownSize) {
      *size = known_size_;
      return Status::Ok();
    }
    return SizeOf(path_, fd_, size);
  }
  Status Truncate(std::uint64_t size) override {
    buffer_.clear();
    known_size_ = kUnknownSize;
    int r;
    do {
      r = ::ftruncate(fd_, static_cast<off_t>(size));
    } while (r != 0 && errno == EINTR);
    if (r != 0) return IoError(path_, errno);
    // The next append goes to the new end, not where the last write stopped (a hole of zeros).
    if (::lseek(fd_, static_cast<off_t>(size), SEEK_SET) < 0) return IoError(path_, errno);
    return Status::Ok();
  }
  Status Close() override {
    Status s = Flush();
    int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) s.Update(IoError(path_, errno));
    return s;
  }

 private:
  Status WriteAll(std::string_view data) {
    if (!data.empty()) known_size_ = kUnknownSize;
    while (!data.empty()) {
      ssize_t w = ::write(fd_, data.data(), data.size());
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return IoError(path_, w < 0 ? errno : EIO);
      data.remove_prefix(static_cast<std::size_t>(w));
    }
    return Status::Ok();
  }

  std::string path_;
  int fd_;
  std::string buffer_;
  std::uint64_t known_size_;
};

class PosixFileEnv : public FileEnv {
 public:
  Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
    Status s;
    std::uint64_t size = kUnknownSize;
    int fd = OpenRegular(path, O_RDONLY, &s, &size);
    if (fd < 0) return s;
    *file = std::make_unique<PosixReadableFile>(path, fd, size);
    return Status::Ok();
  }
  Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, O_WRONLY | O_CREAT | O_TRUNC, file);
  }
  Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, O_WRONLY | O_CREAT | O_APPEND, file);
  }
  Status CreateTemporary(const std::string& path, std::string* temp,
                         std::unique_ptr<WritableFile>* file) override {
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(path);
    for (;;) {
      // The process id keeps the name apart from every other running process; O_EXCL with
      // O_NOFOLLOW refuses a name that exists, a planted symlink included.
      static const pid_t pid = ::getpid();
      *temp = (folder.empty() ? "" : folder + "/") + "orlith-" + std::to_string(pid) + "-" +
              std::to_string(counter++) + ".tmp";
      int fd = Open(*temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW);
      if (fd >= 0) {
        *file = std::make_unique<PosixWritableFile>(path, fd);
        return Status::Ok();
      }
      if (errno != EEXIST) return IoError(path, errno);  // a name left by a killed process
    }
  }
  Status Rename(const std::string& from, const std::string& to) override {
    if (std::rename(from.c_str(), to.c_str()) != 0) return IoError(to, errno);
    return Status::Ok();
  }
  Status SyncFolder(const std::string& folder) override {
    const std::string path = folder.empty() ? "." : folder;
    int fd = Open(path, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return IoError(path, errno);
    Status s = SyncFd(path, fd);
    ::close(fd);
    return s;
  }
  Status SyncFile(const std::string& path) override {
    Status s;
    int fd = OpenRegular(path, O_RDONLY, &s);
    if (fd < 0) return s;
    s = SyncFd(path, fd);
    ::close(fd);
    return s;
  }
  Status Remove(const std::string& path) override {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return IoError(path, errno);
    return Status::Ok();
  }
  Status ReadTail(const std::string& path, std::size_t n, std::string* tail) override {
    tail->clear();
    Status s;
    std::uint64_t size = 0;
    int fd = OpenRegular(path, O_RDONLY, &s, &size);
    if (fd < 0) return s;
    const std::size_t want = size < n ? static_cast<std::size_t>(size) : n;
    tail->resize(want);
    ssize_t got;
    do {
      got = ::pread(fd, tail->data(), want, static_cast<off_t>(size - want));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
      s = IoError(path, errno);
    } else if (static_cast<std::size_t>(got) != want) {
      s = IoError(path, EIO);
    }
    ::close(fd);
    if (!s.ok()) tail->clear();
    return s;
  }
  Status CheckPath(const std::string& path) override {
    const std::string folder = FolderOf(path);
    const std::string_view name =
        std::string_view(path).substr(folder.size() + (folder.empty() ? 0 : 1));
    // A batch checks every row's file in the same folder: its limit is asked once.
    thread_local std::string asked_folder;
    thread_local long name_max = 0;
    if (name_max == 0 || folder != asked_folder) {
      name_max = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
      if (name_max <= 0) name_max = NAME_MAX;
      asked_folder = folder;
    }
    if (name.size() > static_cast<std::size_t>(name_max) || path.size() >= PATH_MAX) {
      return IoError(path, ENAMETOOLONG);
    }
    // A folder of that name cannot be replaced by the file (a symlink to one can).
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return IoError(path, EISDIR);
    return Status::Ok();
  }
  Status TryLockFolder(const std::string& folder, std::unique_ptr<FolderLock>* lock) override {
    lock->reset();
    const std::string path = folder.empty() ? "." : folder;
    // The folder itself is locked, so no file is added to it and scenery.cfg stays free for
    // every other program; flock locks belong to the open file and end with the process.
    int fd = Open(path, O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
      // A file where the folder should be is as good as no folder: there is no scenery.cfg.
      int err = errno;
      return err == ENOTDIR ? Status::NotFound(path, ErrnoText(err)) : OpenError(path, err);
    }
    int r;
    do {
      r = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r == 0) {
      *lock = std::make_unique<PosixFolderLock>(fd);
      return Status::Ok();
    }
    int err = errno;
    ::close(fd);
    return err == EWOULDBLOCK ? Status::Ok() : IoError(path, err);
  }

  Status CreateFolders(const std::string& path) override {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path), ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
  }

  // The types readdir gives with each name: only a symlink, or a file system that gives none, is
  // looked up; the portable listing builds a path for every entry and asks about it again.
  Status ListFolder(const std::string& folder, std::vector<FolderEntry>* entries) override {
    entries->clear();
    const std::string path = folder.empty() ? "." : folder;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return OpenError(path, errno);
    int err = 0;
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir);
      if (entry == nullptr) {
        err = errno;
        break;
      }
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      unsigned char type = entry->d_type;
      if (type == DT_LNK || type == DT_UNKNOWN) {
        struct stat info {};  // a symlink counts as what it points to; a dangling one as neither
        const bool found = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0;
        type = !found                  ? DT_UNKNOWN
               : S_ISREG(info.st_mode) ? DT_REG
               : S_ISDIR(info.st_mode) ? DT_DIR
                                       : DT_UNKNOWN;
      }
      entries->push_back({std::string(name), type == DT_REG, type == DT_DIR});
    }
    ::closedir(dir);
    if (err != 0) return IoError(path, err);
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return Status::Ok();
  }

  Status Exchange(const std::string& a, const std::string& b) override {
#if defined(__linux__) && defined(SYS_renameat2)
    // RENAME_EXCHANGE of <linux/fs.h>: both names are swapped in one step.
    constexpr unsigned kRenameExchange = 2;
    if (::syscall(SYS_renameat2, AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), kRenameExchange) == 0) {
      return Status::Ok();
    }
    // A system or file system without the exchange goes the portable way.
    if (errno != EINVAL && errno != ENOSYS) return IoError(a, errno);
#endif
    return FileEnv::Exchange(a, b);
  }

 private:
  static Status OpenWritable(const std::string& path, int flags,
                             std::unique_ptr<WritableFile>* file) {
    Status s;
    std::uint64_t size = kUnknownSize;
    int fd = OpenRegular(path, flags & ~O_CREAT, &s, &size);
    if (fd < 0 && s.kind() == Status::Kind::kNotFound) {
      // Only a file that is really missing is created: O_EXCL never follows a symlink, so one
      // that points nowhere cannot make Orlith create a file somewhere else.
      s = Status::Ok();
      fd = OpenRegular(path, flags | O_EXCL, &s, &size);
      if (fd < 0 && s.reason() == ErrnoText(EEXIST)) {
        s = Status::IoError(path, kDanglingLink);
      }
    }
    if (fd < 0) return s;
    *file = std::make_unique<PosixWritableFile>(path, fd, size);
    return Status::Ok();
  }
};

}  // namespace

FileEnv* DefaultFileEnv() {
  static PosixFileEnv env;
  return &env;
}

}  // namespace orlith
