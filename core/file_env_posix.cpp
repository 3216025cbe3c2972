// The file access of POSIX systems, straight through the system calls: no stream layer, so an
// open costs one call and every flush one write.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/file_env.h"

namespace orlith {
namespace {

// Appends are gathered up to this size before they are written, unless flushed earlier.
constexpr std::size_t kWriteBuffer = 64 * 1024;

Status IoError(const std::string& path, int err) {
  return Status::IoError(path, ErrnoText(err != 0 ? err : EIO));
}

class PosixReadableFile : public ReadableFile {
 public:
  PosixReadableFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  ~PosixReadableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  Status Read(std::size_t n, char* scratch, std::size_t* got) override {
    *got = 0;
    ssize_t r;
    do {
      r = ::read(fd_, scratch, n);
    } while (r < 0 && errno == EINTR);
    if (r < 0) return IoError(path_, errno);
    *got = static_cast<std::size_t>(r);
    return Status::Ok();
  }
  Status Close() override {
    int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) return IoError(path_, errno);
    return Status::Ok();
  }

 private:
  std::string path_;
  int fd_;
};

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
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
  Status Close() override {
    Status s = Flush();
    int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) s.Update(IoError(path_, errno));
    return s;
  }

 private:
  Status WriteAll(std::string_view data) {
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
};

class PosixFileEnv : public FileEnv {
 public:
  Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
    int fd = Open(path, O_RDONLY);
    if (fd < 0) {
      int err = errno;
      return err == ENOENT ? Status::NotFound(path, ErrnoText(err)) : IoError(path, err);
    }
    *file = std::make_unique<PosixReadableFile>(path, fd);
    return Status::Ok();
  }
  Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, O_WRONLY | O_CREAT | O_TRUNC, file);
  }
  Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, O_WRONLY | O_CREAT | O_APPEND, file);
  }
  Status Rename(const std::string& from, const std::string& to) override {
    if (std::rename(from.c_str(), to.c_str()) != 0) return IoError(to, errno);
    return Status::Ok();
  }
  Status Remove(const std::string& path) override {
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(path), ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
  }
  Status ReadTail(const std::string& path, std::size_t n, std::string* tail) override {
    tail->clear();
    int fd = Open(path, O_RDONLY);
    if (fd < 0) {
      int err = errno;
      return err == ENOENT ? Status::NotFound(path, ErrnoText(err)) : IoError(path, err);
    }
    struct stat info {};
    int err = 0;
    if (::fstat(fd, &info) != 0) {
      err = errno;
    } else if (S_ISDIR(info.st_mode)) {
      err = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
      err = EOPNOTSUPP;
    } else {
      const auto size = static_cast<std::size_t>(info.st_size);
      const std::size_t want = size < n ? size : n;
      tail->resize(want);
      ssize_t got;
      do {
        got = ::pread(fd, tail->data(), want, static_cast<off_t>(size - want));
      } while (got < 0 && errno == EINTR);
      if (got < 0) {
        err = errno;
      } else if (static_cast<std::size_t>(got) != want) {
        err = EIO;
      }
    }
    ::close(fd);
    if (err != 0) {
      tail->clear();
      return IoError(path, err);
    }
    return Status::Ok();
  }
  Status FileSize(const std::string& path, std::uint64_t* size) override {
    *size = 0;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
      int err = errno;
      return err == ENOENT ? Status::NotFound(path, ErrnoText(err)) : IoError(path, err);
    }
    if (!S_ISREG(info.st_mode)) return IoError(path, S_ISDIR(info.st_mode) ? EISDIR : EOPNOTSUPP);
    *size = static_cast<std::uint64_t>(info.st_size);
    return Status::Ok();
  }
  Status Truncate(const std::string& path, std::uint64_t size) override {
    int r;
    do {
      r = ::truncate(path.c_str(), static_cast<off_t>(size));
    } while (r != 0 && errno == EINTR);
    if (r != 0) return IoError(path, errno);
    return Status::Ok();
  }

  Status CreateFolders(const std::string& path) override {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path), ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
  }

 private:
  static int Open(const std::string& path, int flags) {
    int fd;
    do {
      fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
  }
  static Status OpenWritable(const std::string& path, int flags,
                             std::unique_ptr<WritableFile>* file) {
    int fd = Open(path, flags);
    if (fd < 0) return IoError(path, errno);
    *file = std::make_unique<PosixWritableFile>(path, fd);
    return Status::Ok();
  }
};

}  // namespace

FileEnv* DefaultFileEnv() {
  static PosixFileEnv env;
  return &env;
}

}  // namespace orlith
