#include "app/csv_reader.h"

#include <gtest/gtest.h>

#include "test_support/fault_env.h"
#include "test_support/memory_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvReader, QuotingLineNumbersAndMalformedQuoting) {
  std::vector<CsvRecord> r;
  std::string error;
  ASSERT_TRUE(testing::ParseCsv(
      "a,b,c\r\n\"x, y\",\"say \"\"hi\"\"\", z \r\n\r\n\"two\nlines\",,\nla\rst,\"\",end\r", &r,
      &error))
      << error;
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[1].fields, (Fields{"x, y", "say \"hi\"", " z "}));  // never trimmed
  EXPECT_EQ(r[2].fields, (Fields{"two\nlines", "", ""}));
  EXPECT_EQ(r[3].fields, (Fields{"la\rst", "", "end\r"}));  // a CR without its LF is text
  // The empty line 3 holds no record.
  EXPECT_EQ(std::vector<int>({r[1].line, r[2].line, r[3].line}), std::vector<int>({2, 4, 6}));

  const std::pair<const char*, const char*> malformed[] = {
      {"a,b\n\"open,c\n", "line 2: a quoted field is not closed"},
      {"a,b\nx\"y,c\n", "line 2: a quote inside an unquoted field"},
      {"a\n\n\"q\"x\n", "line 3: text after the closing quote of a field"},
  };
  for (const auto& [text, message] : malformed) {
    EXPECT_FALSE(testing::ParseCsv(text, &r, &error)) << text;
    EXPECT_EQ(error, message);
  }
}

// Records read one at a time from a file: line ends, doubled quotes and CR LF split across the
// reads, a record over the limit refused, and a failed read reported as such.
TEST(CsvReader, StreamsFromAFile) {
  testing::TempFolder dir;
  const std::string big(65534, 'x');  // puts the CR LF and the doubled quote across a read
  dir.Write("a.csv", big + "\r\n\"q\"\"r\",s\n" + std::string(70000, 'y') + "\nlast\n");
  testing::FaultEnv env;
  std::unique_ptr<ReadableFile> file;
  ASSERT_TRUE(env.OpenForReading(dir.File("a.csv"), &file).ok());
  CsvReader reader(*file, 69999);
  CsvRecord r;
  std::string error;
  ASSERT_EQ(reader.Read(&r, &error), CsvReader::Next::kRecord);
  EXPECT_EQ(r.fields, Fields{big});
  ASSERT_EQ(reader.Read(&r, &error), CsvReader::Next::kRecord);
  EXPECT_EQ(r.fields, (Fields{"q\"r", "s"}));
  EXPECT_EQ(reader.Read(&r, &error), CsvReader::Next::kBadText);
  EXPECT_EQ(error, "line 3: a record longer than 69999 bytes");
  EXPECT_EQ(reader.Read(&r, &error), CsvReader::Next::kBadText);  // and stays so

  env.Add({testing::FaultOp::kRead, "a.csv", "Input/output error", Status::Kind::kIoError, 1});
  ASSERT_TRUE(env.OpenForReading(dir.File("a.csv"), &file).ok());
  CsvReader failing(*file);
  EXPECT_EQ(failing.Read(&r, &error), CsvReader::Next::kRecord);
  EXPECT_EQ(failing.Read(&r, &error), CsvReader::Next::kReadError);
  EXPECT_EQ(failing.read_status().reason(), "Input/output error");
}

}  // namespace
}  // namespace orlith
