#include "core/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace orlith {
namespace {

void WriteToStandardError(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
}

FatalHandler handler = &WriteToStandardError;

}  // namespace

FatalHandler SetFatalHandler(FatalHandler next) {
  FatalHandler previous = handler;
  handler = next != nullptr ? next : &WriteToStandardError;
  return previous;
}

void Fatal(const std::string& message, int status) {
  handler(message);
  std::exit(status);
}

void FailInput() { Fatal(kInputErrorMessage, kExitInputError); }

}  // namespace orlith
