#include "cli/csv_reader.h"

#include <gtest/gtest.h>

namespace orlith {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvReader, QuotingAndLineNumbers) {
  std::vector<CsvRecord> r;
  std::string error;
  ASSERT_TRUE(
      ParseCsv("a,b,c\r\n\"x, y\",\"say \"\"hi\"\"\", z \r\n\r\n\"two\nlines\",,\nlast,\"\",end",
               &r, &error))
      << error;
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[1].fields, (Fields{"x, y", "say \"hi\"", " z "}));  // never trimmed
  EXPECT_EQ(r[2].fields, (Fields{"two\nlines", "", ""}));
  EXPECT_EQ(r[3].fields, (Fields{"last", "", "end"}));
  // The empty line 3 holds no record.
  EXPECT_EQ(std::vector<int>({r[1].line, r[2].line, r[3].line}), std::vector<int>({2, 4, 6}));
}

TEST(CsvReader, MalformedQuotingIsAnError) {
  const std::pair<const char*, const char*> cases[] = {
      {"a,b\n\"open,c\n", "line 2: a quoted field is not closed"},
      {"a,b\nx\"y,c\n", "line 2: a quote inside an unquoted field"},
      {"a\n\n\"q\"x\n", "line 3: text after the closing quote of a field"},
  };
  for (const auto& [text, message] : cases) {
    std::vector<CsvRecord> r;
    std::string error;
    EXPECT_FALSE(ParseCsv(text, &r, &error)) << text;
    EXPECT_EQ(error, message);
  }
}

}  // namespace
}  // namespace orlith
