// The one shape in which Orlith's operations report a failure: a kind, the file it concerns and
// the system's reason. An OK status is cheap to make, copy and test.
#pragma once

#include <string>
#include <utility>

namespace orlith {

class Status {
 public:
  enum class Kind {
    kOk,
    kNotFound,  // the file is not there, or is not a file that can be read
    kIoError,   // the file could not be opened, read, written, flushed, closed or renamed
  };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status NotFound(std::string file, std::string reason) {
    return Status(Kind::kNotFound, std::move(file), std::move(reason));
  }
  static Status IoError(std::string file, std::string reason) {
    return Status(Kind::kIoError, std::move(file), std::move(reason));
  }

  bool ok() const { return kind_ == Kind::kOk; }
  Kind kind() const { return kind_; }
  // The file name as the user knows it (for example "scenery.cfg"); empty when OK.
  const std::string& file() const { return file_; }
  // The system's reason, for example "Permission denied"; empty when OK.
  const std::string& reason() const { return reason_; }

  // "OK", or the file and the reason: "scenery.org: No space left on device".
  std::string ToString() const;

  // Keeps the first failure: `s.Update(other)` sets s to other only while s is OK.
  void Update(const Status& other) {
    if (ok()) *this = other;
  }

 private:
  Status(Kind kind, std::string file, std::string reason)
      : kind_(kind), file_(std::move(file)), reason_(std::move(reason)) {}

  Kind kind_ = Kind::kOk;
  std::string file_;
  std::string reason_;
};

// The text of a C library error number, for a Status reason. The only place errno becomes text.
std::string ErrnoText(int errnum);

}  // namespace orlith
