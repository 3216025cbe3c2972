#include "cli/batch.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orlith {
namespace {

TEST(Batch, ColumnsInAnyOrderAndLeftOutOnesEmpty) {
  std::vector<BatchRow> rows;
  std::string error;
  ASSERT_EQ(ReadBatch("\xEF\xBB\xBFname,type,longitude,command,latitude\r\n"
                      "\" Main \",ndb,W12 24.5,create,N42 34.6\r\n,,E1 2,delete,s1 2\r\n",
                      &rows, &error),
            0)
      << error;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].command, CliCommand::kCreate);
  EXPECT_EQ(rows[0].entry,
            (NavAidEntry{"N42 34.6", "W12 24.5", "NDB", "", "", "", "", "", "", "", "", " Main "}));
  EXPECT_EQ(rows[1].command, CliCommand::kDelete);
  EXPECT_EQ(rows[1].entry, (NavAidEntry{"s1 2", "E1 2", "", "", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(rows[1].line, 3);
}

TEST(Batch, BadRowsNameTheirLine) {
  const char kHead[] = "command,latitude,longitude,type\n";
  const std::tuple<std::string, int, const char*> cases[] = {
      {"command,latitude,longitude,colour\n", 2, "line 1: unknown column \"colour\""},
      {"latitude,longitude\n", 2, "line 1: no \"command\" column"},
      {std::string(kHead) + "create,N1 2,E1 2,VOR\nmove,N1 2,E1 2,VOR\n", 2,
       "line 3: command must be create, delete or modify, not \"move\""},
      {std::string(kHead) + "create,N1 2,E1 2,\n", 2, "line 2: create needs a type"},
      {std::string(kHead) + "delete,N1 2,E1 2,DME\n", 2,
       "line 2: type must be NDB, VOR or ILS, not \"DME\""},
      {"command,latitude,longitude\ndelete,N1 2\n", 2, "line 2: 2 fields, the header has 3"},
      {"command,latitude,longitude\ndelete,N1 2,E1 2\ndelete,E1 2,E1 2\n", 8,
       "line 3: latitude \"E1 2\": Input Error - Program terminates!"},
      {"command,latitude,longitude\ndelete,N1 2,W12\n", 8,
       "line 2: longitude \"W12\": Input Error - Program terminates!"},
  };
  for (const auto& [csv, status, message] : cases) {
    std::vector<BatchRow> rows;
    std::string error;
    EXPECT_EQ(ReadBatch(csv, &rows, &error), status) << csv;
    EXPECT_EQ(error, message);
  }
}

}  // namespace
}  // namespace orlith
