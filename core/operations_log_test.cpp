#include "core/operations_log.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::TempFolder;

TEST(OperationsLog, FormatsTheDateWithoutTheLocale) {
  const struct {
    int day, month, year;
    const char* text;
  } cases[] = {
      {6, 12, 2026, "06 Dec 2026"}, {1, 1, 2000, "01 Jan 2000"},   {9, 2, 2001, "09 Feb 2001"},
      {31, 3, 1999, "31 Mar 1999"}, {10, 4, 2030, "10 Apr 2030"},  {15, 5, 2026, "15 May 2026"},
      {30, 6, 2026, "30 Jun 2026"}, {4, 7, 2026, "04 Jul 2026"},   {29, 8, 2026, "29 Aug 2026"},
      {11, 9, 2026, "11 Sep 2026"}, {12, 10, 2026, "12 Oct 2026"}, {28, 11, 2026, "28 Nov 2026"},
  };
  for (const auto& c : cases) {
    std::tm date{};
    date.tm_mday = c.day;
    date.tm_mon = c.month - 1;
    date.tm_year = c.year - 1900;
    EXPECT_EQ(c.text, FormatLogDate(date));
  }
}

TEST(OperationsLog, EntriesOnlyAppend) {
  const struct {
    const char* before;  // null: no log yet
    std::string after;
  } cases[] = {
      {nullptr, "\r\none\r\n\r\ntwo\r\n"},                   // a new log starts with an empty line
      {"\r\nold\r\n", "\r\nold\r\n\r\none\r\n\r\ntwo\r\n"},  // one empty line between entries
      {"edited", "edited\r\none\r\n\r\ntwo\r\n"},            // a hand-edited last line is completed
  };
  for (const auto& c : cases) {
    TempFolder dir;
    if (c.before != nullptr) dir.Write(kLogFileName, c.before);
    ASSERT_TRUE(AppendLogEntry(WorkFolder{dir.path()}, {"one", "", "two"}).ok());
    EXPECT_TRUE(BytesEqual(c.after, dir.Read(kLogFileName))) << c.after;
  }
}

}  // namespace
}  // namespace orlith
