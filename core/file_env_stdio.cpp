// The file access of the Windows build, through the C library's streams.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/file_env.h"

namespace orlith {
namespace {

class StdioReadableFile : public ReadableFile {
 public:
  StdioReadableFile(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {}
  ~StdioReadableFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  Status Read(std::size_t n, char* scratch, std::size_t* got) override {
    errno = 0;
    *got = std::fread(scratch, 1, n, file_);
    if (*got == 0 && std::ferror(file_)) return Status::IoError(path_, ErrnoText(errno));
    return Status::Ok();
  }
  Status Close() override {
    std::FILE* file = file_;
    file_ = nullptr;
    if (file != nullptr && std::fclose(file) != 0) return Status::IoError(path_, ErrnoText(errno));
    return Status::Ok();
  }

 private:
  std::string path_;
  std::FILE* file_;
};

class StdioWritableFile : public WritableFile {
 public:
  StdioWritableFile(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {}
  ~StdioWritableFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  Status Append(std::string_view data) override {
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), file_) != data.size()) return Error();
    return Status::Ok();
  }
  Status Flush() override {
    errno = 0;
    if (std::fflush(file_) != 0) return Error();
    return Status::Ok();
  }
  Status Close() override {
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (file != nullptr && std::fclose(file) != 0) return Error();
    return Status::Ok();
  }

 private:
  Status Error() const { return Status::IoError(path_, ErrnoText(errno != 0 ? errno : EIO)); }

  std::string path_;
  std::FILE* file_;
};

class StdioFileEnv : public FileEnv {
 public:
  Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
      int err = errno;
      return err == ENOENT ? Status::NotFound(path, ErrnoText(err))
                           : Status::IoError(path, ErrnoText(err));
    }
    *file = std::make_unique<StdioReadableFile>(path, f);
    return Status::Ok();
  }
  Status OpenForWriting(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, "wb", file);
  }
  Status OpenForAppending(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    return OpenWritable(path, "ab", file);
  }
  Status Rename(const std::string& from, const std::string& to) override {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from), std::filesystem::path(to), ec);
    if (ec) return Status::IoError(to, ec.message());
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
    std::error_code ec;
    auto size = std::filesystem::file_size(std::filesystem::path(path), ec);
    if (ec) {
      return ec == std::errc::no_such_file_or_directory ? Status::NotFound(path, ec.message())
                                                        : Status::IoError(path, ec.message());
    }
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return Status::IoError(path, ErrnoText(errno != 0 ? errno : EIO));
    std::size_t want = size < n ? static_cast<std::size_t>(size) : n;
#ifdef _WIN32
    int seek = _fseeki64(f, static_cast<long long>(size - want), SEEK_SET);
#else
    int seek = fseeko(f, static_cast<off_t>(size - want), SEEK_SET);
#endif
    tail->resize(want);
    bool ok = seek == 0 && std::fread(tail->data(), 1, want, f) == want;
    int err = errno;
    std::fclose(f);
    if (!ok) return Status::IoError(path, ErrnoText(err != 0 ? err : EIO));
    return Status::Ok();
  }
  Status FileSize(const std::string& path, std::uint64_t* size) override {
    *size = 0;
    const std::filesystem::path p(path);
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
      return Status::NotFound(path, ErrnoText(ENOENT));
    }
    if (ec) return Status::IoError(path, ec.message());
    if (!std::filesystem::is_regular_file(status)) {
      return Status::IoError(path, ErrnoText(std::filesystem::is_directory(status) ? EISDIR : EIO));
    }
    *size = std::filesystem::file_size(p, ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
  }
  Status Truncate(const std::string& path, std::uint64_t size) override {
    std::error_code ec;
    std::filesystem::resize_file(std::filesystem::path(path), size, ec);
    if (ec) return Status::IoError(path, ec.message());
    return Status::Ok();
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
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (f == nullptr) return Status::IoError(path, ErrnoText(errno != 0 ? errno : EIO));
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
