// The Qt Test classes of this folder, registered by name so one binary can run one of them.
#pragma once

#include <QObject>
#include <memory>

namespace orlith::qt::testing {

using SuiteFactory = std::unique_ptr<QObject> (*)();

// Adds a test class under name; returns a value only so it can initialise a static.
int RegisterSuite(const char* name, SuiteFactory factory);

#define ORLITH_QT_TEST_SUITE(Class)                                          \
  static const int Class##Registered = ::orlith::qt::testing::RegisterSuite( \
      #Class, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); })

}  // namespace orlith::qt::testing
