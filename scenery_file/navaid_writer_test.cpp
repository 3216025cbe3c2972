#include "scenery_file/navaid_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/fatal.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using ::orlith::testing::TempFolder;

constexpr char kReportHead[] =
    "\r\nThe file N42 34_6__W12 24_5.bgl was created with the following data: \r\n\r\n"
    "Position: N42 34.6, W12 24.5\r\nType of NavAid: ";

NavAidEntry Entry(const std::string& type) {
  const char* frequency = type == "NDB" ? "350" : "110.30";
  return {"N42 34.6", "W12 24.5", type,  frequency, "25",  "100",
          "-3",       "1",        "163", "3",       "ABC", "TEST"};
}

struct Writer {
  Status Create(const NavAidEntry& e) { return WriteNavAidFile(folder, e, &log); }
  TempFolder dir;
  WorkFolder folder{dir.path()};
  Status log;
};

TEST(SceneryFileName, ReplacesDotsAndUnsafeCharacters) {
  const char* cases[][3] = {
      {"N42 34.6", "W12 24.5", "N42 34_6__W12 24_5.bgl"},
      {"N42 34", "W12 24.5", "N42 34__W12 24_5.bgl"},
      {" N42 34.6", "W12 24.5 ", " N42 34_6__W12 24_5 .bgl"},
      {"N42 34.6.1", "W12 24.5", "N42 34_6_1__W12 24.5.bgl"},
      // Separators, reserved characters and control characters never leave the folder (F5).
      {"N../../x 1", "W1 2", "N___.._x 1__W1 2.bgl"},
      {"N\\a:b*c?d 1", "W\"e<f>g|h 2", "N_a_b_c_d 1__W_e_f_g_h 2.bgl"},
      {"N\t1\r2", "W\x1F 3\x7F\xB0", "N_1_2__W_ 3\x7F\xB0.bgl"},
  };
  for (const auto& c : cases) EXPECT_EQ(SceneryFileName(c[0], c[1]), c[2]);
}

TEST(NavAidWriterReport, LinesFollowTheTypeAndShowTextsAsTypedF6) {
  const std::string vor =
      "Frequency: 110.30 MHz\r\nRange: 25 nm\r\nAltitude: 100 m\r\n"
      "Magnetic deviation: -3 \xB0\r\nCode: 1\r\n";
  const std::string tail = "NavAid ID: ABC\r\nNavAid name: TEST\r\n";
  const std::string ndb = "Frequency: 350 kHz\r\nRange: 25 nm\r\nAltitude: 100 m\r\n";
  const std::string longName = "A NAME FAR LONGER THAN TWENTY-FOUR";
  const struct {
    const char* type;
    std::string id, name;
    std::size_t fileSize;
    std::string report;
  } cases[] = {
      // clang-format off
      {"NDB", "ABC", "TEST", 229, ndb + tail},
      {"VOR", "ABC", "TEST", 246, vor + tail},
      {"ILS", "ABC", "TEST", 246, vor + "Localizer direction: 163 \xB0\r\nGlideslope: 3 \xB0\r\n" + tail},
      {"", "ABC", "TEST", 246, vor + tail},
      {"NDB", "LONGID", longName, 229, ndb + "NavAid ID: LONGID\r\nNavAid name: " + longName + "\r\n"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Writer w;
    NavAidEntry e = Entry(c.type);
    e.id = c.id;
    e.name = c.name;
    ASSERT_TRUE(w.Create(e).ok());
    EXPECT_TRUE(w.log.ok());
    EXPECT_EQ(w.dir.Read(testing::kExampleFile).size(), c.fileSize) << c.type;
    EXPECT_EQ(w.dir.Read("orlith.log"), kReportHead + std::string(c.type) + "\r\n" + c.report);
  }
}

struct NavAidWriterDeathTest : ::testing::Test, Writer {};

TEST_F(NavAidWriterDeathTest, RejectedTextKeepsTheExistingFile) {
  std::string name = SceneryFileName("N42", "W12 24.5");
  dir.Write(name, "earlier file");
  for (auto [latitude, longitude] : {std::pair{"N42", "W12 24.5"}, {"N42 34.6", ""}}) {
    NavAidEntry e = Entry("VOR");
    e.latitude = latitude;
    e.longitude = longitude;
    EXPECT_EXIT(Create(e), ::testing::ExitedWithCode(kExitInputError),
                "Input Error - Program terminates!");
  }
  EXPECT_EQ(dir.Read(name), "earlier file");
  EXPECT_FALSE(dir.Exists(SceneryFileName("N42 34.6", "")));
}

}  // namespace
}  // namespace orlith
