#include "core/fatal.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orlith {
namespace {

// Writes to standard output, so the death test can tell it from the default handler.
void ShoutToStdout(const std::string& message) {
  std::printf("handled: %s\n", message.c_str());
  std::fflush(stdout);
}

using FatalDeathTest = ::testing::Test;

TEST(FatalDeathTest, DefaultWritesToStandardErrorAndExits) {
  EXPECT_EXIT(FailInput(), ::testing::ExitedWithCode(8), "^Input Error - Program terminates!\n$");
  EXPECT_EXIT(Fatal("File scenery.cfg not found!", kMissingConfigStatus),
              ::testing::ExitedWithCode(1), "^File scenery.cfg not found!\n$");
}

TEST(FatalDeathTest, InstalledHandlerSeesTheMessageFirst) {
  EXPECT_EXIT(
      {
        SetFatalHandler(&ShoutToStdout);
        FailInput();
      },
      ::testing::ExitedWithCode(8), "^$");  // nothing reaches standard error
}

TEST(Fatal, SetHandlerReturnsThePreviousOne) {
  FatalHandler original = SetFatalHandler(&ShoutToStdout);
  EXPECT_NE(original, nullptr);
  EXPECT_EQ(SetFatalHandler(nullptr), &ShoutToStdout);
  EXPECT_EQ(SetFatalHandler(original), original);  // null restored the default
}

}  // namespace
}  // namespace orlith
