#include "app/tools.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/batch.h"
#include "app/messages.h"
#include "test_support/memory_env.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith {
namespace {

// A folder holding kBaseConfig.
struct ToolsTest : ::testing::Test {
  ToolsTest() { tmp.Write("scenery.cfg", testing::kBaseConfig); }
  testing::TempFolder tmp;
  WorkFolder folder{tmp.path()};
  testing::ScriptedFrontEnd ui;
  std::string error;
};

TEST_F(ToolsTest, ImportFormReadOrRefused) {
  struct Case {
    ImportForm form;
    const char* error;  // empty: accepted
  };
  const Case cases[] = {
      {{"n.csv", " be,nl  fr", "", "", "", "", "NDB", true}, ""},
      {{"n.csv", "", "N51 0", "E2 0", "N50 0", "E6 0", "", false}, ""},
      {{"", "", "", "", "", "", "", false}, "Choose the navaids.csv file to import"},
      {{"n.csv", "", "N51 0", "", "", "", "", false},
       "Give all four edges of the rectangle, or none"},
      {{"n.csv", "", "N51 0", "N2 0", "N50 0", "E6 0", "", false},
       "West: \"N2 0\" is not a longitude (example: E4 20.0)"},
      {{"n.csv", "", "N50 0", "E2 0", "N51 0", "E6 0", "", false},
       "The north edge lies south of the south edge"},
  };
  ImportOptions read[std::size(cases)];
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    error.clear();
    EXPECT_EQ(ImportOptionsOf(cases[i].form, &read[i], &error), !*cases[i].error) << error;
    EXPECT_EQ(error, cases[i].error);
  }
  EXPECT_EQ(read[0].countries, (std::vector<std::string>{"BE", "NL", "FR"}));
  EXPECT_TRUE(read[0].apply && read[0].command == "modify" && !read[0].within);
  EXPECT_TRUE(read[1].within && read[1].within->north == 51 && read[1].within->east == 6);
}

TEST_F(ToolsTest, CellsSortByNumberThenText) {
  EXPECT_LT(CompareCells("9", "10"), 0);
  EXPECT_GT(CompareCells("113.50 MHz", "25.00 MHz"), 0);
  EXPECT_LT(CompareCells("ABC", "ABD"), 0);
  EXPECT_EQ(CompareCells("N50 1.00", "N50 1.00"), 0);
  EXPECT_LT(CompareCells("10 nm", "10 xx"), 0);  // same number: the text decides
}

// The count writes nothing and agrees with the applied import; Cancel after two rows leaves two
// whole rows (their switches and scenery files) and no summary.
TEST_F(ToolsTest, CountThenApplyStoppedBetweenRows) {
  ImportOptions options;
  ImportForm form;
  form.file = std::string(ORLITH_SOURCE_DIR) + "/examples/ourairports/navaids-BE.csv";
  form.modify = true;  // a switch and a scenery file per row
  ASSERT_TRUE(ImportOptionsOf(form, &options, &error));
  ImportCounts counts;
  ASSERT_EQ(CountImport(options, folder, &counts, &error), kExitDone) << error;
  const std::int64_t selected = counts.by[static_cast<int>(ImportSkip::kSelected)];
  ASSERT_GT(selected, 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 1);
  EXPECT_NE(ImportPreviewText(counts).find(std::to_string(selected) + " would be written"),
            std::string::npos);

  std::vector<std::int64_t> seen;
  ImportProgress progress{[&](std::int64_t done, std::int64_t total) {
                            seen.push_back(done);
                            EXPECT_EQ(total, selected);
                          },
                          [&] { return seen.size() == 2; }};
  EXPECT_EQ(ApplyImport(ui, folder, options, &progress), kExitDone);
  EXPECT_TRUE(progress.stopped);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2}));
  EXPECT_EQ(ui.messages, std::vector<std::string>{ImportStoppedMessage(2, selected)});
  InEffect in_effect;  // no part of a third scenery file either
  ASSERT_TRUE(ReadInEffect(folder, &in_effect).ok());
  EXPECT_EQ(in_effect.switches.size(), 2u);
  EXPECT_EQ(in_effect.files.size(), 2u);
  EXPECT_EQ(in_effect.otherBglFiles, 0);

  options.file = "missing.csv";
  EXPECT_EQ(CountImport(options, folder, &counts, &error), kExitFileError);
  EXPECT_EQ(ImportFailureMessage("missing.csv", kExitFileError, error)
                .rfind("Error with file missing.csv: ", 0),
            0u);
}

// Two rows of modify; the first row's switch and file are chosen and taken back, then again
// (nothing is left of them), then scenery.cfg is restored from the backup the take-back made.
TEST_F(ToolsTest, TakeBackChosenRowsThenRestore) {
  std::vector<BatchRow> rows;
  ASSERT_EQ(testing::ReadBatch("command,latitude,longitude,type,frequency,range,id,name\n"
                               "modify,N42 34.6,W12 24.5,NDB,350,25,ABC,ONE\n"
                               "modify,N1 2.5,E3 4.5,VOR,113.90,40,XYZ,TWO\n",
                               &rows, &error),
            0);
  CommandSession session{ui, folder, testing::Dec6, Status::Ok()};
  ASSERT_EQ(RunBatch(session, rows), CommandOutcome::kDone);
  InEffect in_effect;
  ASSERT_TRUE(ReadInEffect(folder, &in_effect).ok());
  ASSERT_EQ(in_effect.switches.size(), 2u);
  RemovalPlan chosen{{in_effect.switches[0]}, {in_effect.files[0]}};
  EXPECT_EQ(TakeBackQuestion(chosen).substr(TakeBackQuestion(chosen).rfind('\n') + 1),
            "Take back 1 exclusion switch and 1 scenery file?");
  ui.messages.clear();
  EXPECT_EQ(TakeBackChosen(ui, folder, chosen, testing::Dec6()), CommandOutcome::kDone);
  EXPECT_EQ(TakeBackChosen(ui, folder, chosen, testing::Dec6()), CommandOutcome::kDone);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Removed 1 exclusion switch and 1 scenery file.",
                                                   kNothingSelectedMessage}));
  ASSERT_TRUE(ReadInEffect(folder, &in_effect).ok());
  EXPECT_EQ(in_effect.switches.size(), 1u);
  EXPECT_EQ(in_effect.files.size(), 1u);
  const std::string backup = tmp.Read("scenery.org"), after = tmp.Read("scenery.cfg");
  EXPECT_NE(backup, after);
  EXPECT_EQ(RestoreSceneryConfig(ui, folder, testing::Dec6()), CommandOutcome::kDone);
  EXPECT_EQ(tmp.Read("scenery.cfg"), backup);
  EXPECT_EQ(tmp.Read("scenery.org"), after);
  EXPECT_EQ(ui.messages.back(), RestoredMessage());
  tmp.Write("scenery.org", "");
  EXPECT_EQ(RestoreSceneryConfig(ui, folder, testing::Dec6()), CommandOutcome::kFileError);
  EXPECT_NE(ui.errors.back().find("scenery.org"), std::string::npos);
}

}  // namespace
}  // namespace orlith
