#include "core/fatal.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orlith {
namespace {

void Handler(const std::string& message) { std::fprintf(stderr, "handled: %s", message.c_str()); }

TEST(FatalDeathTest, TheHandlerShowsTheMessageThenTheProcessEndsWithItsStatus) {
  EXPECT_EXIT(FailInput(), ::testing::ExitedWithCode(8), "^Input Error - Program terminates!\n$");
  EXPECT_EXIT(Fatal("File scenery.cfg not found!", kExitMissingConfig),
              ::testing::ExitedWithCode(1), "^File scenery.cfg not found!\n$");
  EXPECT_EXIT((SetFatalHandler(&Handler), FailInput()), ::testing::ExitedWithCode(8),
              "^handled: Input Error - Program terminates!$");  // instead of the default
}

}  // namespace
}  // namespace orlith
