// The fatal endings of the program: a message the user acknowledges, then the end of the process
// with a status. Front ends install a handler that shows their message box first.
#pragma once

#include <string>

#include "core/exit_status.h"

namespace orlith {

inline constexpr char kInputErrorMessage[] = "Input Error - Program terminates!";

// Shows message and waits until the user has acknowledged it. Must not end the process itself.
using FatalHandler = void (*)(const std::string& message);

// Installs handler (null restores the default, which writes the message and a line end to standard
// error) and returns the one installed before.
FatalHandler SetFatalHandler(FatalHandler handler);

// Passes message to the handler, then ends the process with status. Never returns.
[[noreturn]] void Fatal(const std::string& message, int status);

// The input error: "Input Error - Program terminates!", status 8.
[[noreturn]] void FailInput();

}  // namespace orlith
