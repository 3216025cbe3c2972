#include "core/status.h"

#include <cstring>

namespace orlith {

std::string Status::ToString() const {
  if (ok()) return "OK";
  return file_ + ": " + reason_;
}

std::string ErrnoText(int errnum) {
  const char* text = std::strerror(errnum);
  return text != nullptr ? std::string(text) : "error " + std::to_string(errnum);
}

}  // namespace orlith
