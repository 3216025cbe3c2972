#include "app/batch.h"

#include <gtest/gtest.h>

#include <tuple>

#include "test_support/fault_env.h"
#include "test_support/memory_env.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith {
namespace {

using testing::FaultOp;

constexpr const char* kBgl = testing::kExampleFile;
constexpr char kIlsBgl[] = "N1 2_5__E3 4_5.bgl";

// Every command and type; the NDB replaces the longer VOR file of the first row.
std::vector<BatchRow> MixedRows() {
  std::vector<BatchRow> rows;
  std::string error;
  EXPECT_EQ(testing::ReadBatch("command,latitude,longitude,type,frequency,range,id,name\n"
                               "modify,N42 34.6,W12 24.5,VOR,113.90,40,XYZ,TEST VOR\n"
                               "delete,N42 34.6,W12 24.5,NDB,,,,\n"
                               "create,N1 2.5,E3 4.5,ILS,110.30,25,ABC,TEST ILS\n"
                               "create,N42 34.6,W12 24.5,NDB,350,25,ABC,TEST NDB\n"
                               "delete,S33 30.0,E151 15.0,,,,,\n",
                               &rows, &error),
            0)
      << error;
  return rows;
}

struct BatchFolder {
  explicit BatchFolder(const std::string& cfg) { dir.Write("scenery.cfg", cfg); }
  testing::TempFolder dir;
  testing::FaultEnv env;
  testing::ScriptedFrontEnd fe;
  CommandSession session{fe, WorkFolder{dir.path(), &env}, testing::Dec6, Status()};
};

// A batch writes the bytes the single commands' steps write, but reads the end of scenery.cfg
// only for its registration and before its first switch, opens each scenery file once and syncs
// scenery.cfg once.
TEST(Batch, RunWritesWhatTheCommandStepsWriteWithFewerOpens) {
  const char* configs[] = {
      "[Area.123]\r\nLocal=Scenery\\World\r\nLayer=123\r\n",  // the block gets registered
      // The block is there already and the last line has no line end.
      "[Area.124]\r\nTitle=Navigational Updates\r\nLocal=Addon Scenery\\Updates\r\nLayer=124",
  };
  const std::vector<BatchRow> rows = MixedRows();
  for (const char* cfg : configs) {
    SCOPED_TRACE(cfg);
    BatchFolder batch(cfg), single(cfg);
    ASSERT_EQ(RunBatch(batch.session, rows), CommandOutcome::kDone);
    ASSERT_TRUE(RegisterArea(single.session));
    for (const BatchRow& row : rows) {
      if (row.command != NavAidCommand::kCreate) {
        ASSERT_TRUE(AddExclusion(single.session, row.entry));
      }
      if (row.command != NavAidCommand::kDelete) {
        ASSERT_TRUE(WriteSceneryFile(single.session, row.entry));
      }
    }
    for (const char* file : {"scenery.cfg", "scenery.org", "orlith.log", kBgl, kIlsBgl}) {
      EXPECT_TRUE(testing::BytesEqual(single.dir.Read(file), batch.dir.Read(file))) << file;
    }
    EXPECT_EQ(batch.env.Count(FaultOp::kReadTail, "scenery.cfg"), 2);
    EXPECT_EQ(batch.env.Count(FaultOp::kOpenForWriting, kBgl), 2);
    EXPECT_EQ(batch.env.Count(FaultOp::kOpenForWriting, kIlsBgl), 1);
    EXPECT_EQ(batch.env.Count(FaultOp::kOpenForAppending, kBgl), 0);
    // scenery.cfg reaches stable storage once, after the batch's last switch.
    EXPECT_EQ(batch.env.Count(FaultOp::kSync, "scenery.cfg"), 1);
    EXPECT_GT(batch.env.FirstCall(FaultOp::kSync, "scenery.cfg"),
              batch.env.LastCall(FaultOp::kAppend, "scenery.cfg"));
    EXPECT_EQ(batch.fe.messages.size(), 5u);  // one message a row
  }
}

// A scenery file that cannot be written stops the batch; no part of it stays and no report
// claims it.
TEST(Batch, FailedSceneryFileStopsTheRunAndLeavesNoPart) {
  BatchFolder batch("Layer=123\r\n");
  batch.env.Add({FaultOp::kAppend, kBgl, "No space left on device"});
  EXPECT_EQ(RunBatch(batch.session, MixedRows()), CommandOutcome::kFileError);
  EXPECT_FALSE(batch.dir.Exists(kBgl));
  EXPECT_TRUE(batch.fe.messages.empty());
  EXPECT_EQ(batch.fe.errors,
            std::vector<std::string>{"Error with file " + batch.dir.File(kBgl) +
                                     ": No space left on device. The command was stopped."});
  EXPECT_EQ(batch.dir.Read("orlith.log").find("was created"), std::string::npos);
  EXPECT_NE(batch.dir.Read("scenery.cfg").find("vors\r\n"), std::string::npos);
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
    EXPECT_EQ(testing::ReadBatch(csv, &rows, &error), status) << csv;
    EXPECT_EQ(error, message);
  }
}

}  // namespace
}  // namespace orlith
