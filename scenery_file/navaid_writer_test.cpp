#include "scenery_file/navaid_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/fatal.h"
#include "scenery_file/navaid_format.h"
#include "test_support/fault_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using ::orlith::testing::Fault;
using ::orlith::testing::FaultEnv;
using ::orlith::testing::FaultOp;
using ::orlith::testing::TempFolder;

constexpr char kFileName[] = "N42 34_6__W12 24_5.bgl";

NavAidEntry Entry(const std::string& type) {
  NavAidEntry e;
  e.latitude = "N42 34.6";
  e.longitude = "W12 24.5";
  e.navAidType = type;
  e.frequency = type == "NDB" ? "350" : "110.30";
  e.range = "25";
  e.altitude = "100";
  e.magneticDeviation = "-3";
  e.dme = "1";
  e.localizerDirection = "163";
  e.glideslopeAngle = "3";
  e.id = "ABC";
  e.name = "TEST";
  return e;
}

// Writes the header and the section of the entry as the command flows do.
Status Create(const WorkFolder& folder, const NavAidEntry& e, Status* log_status) {
  Status s = WriteSceneryHeader(folder, e.latitude, e.longitude, e.navAidType, e.frequency);
  if (!s.ok()) return s;
  return AppendNavAidSection(folder, e, log_status);
}

TEST(NavAidWriter, SceneryFileNames) {
  const struct {
    const char* latitude;
    const char* longitude;
    const char* name;
  } cases[] = {
      {"N42 34.6", "W12 24.5", "N42 34_6__W12 24_5.bgl"},
      {"N42 34", "W12 24.5", "N42 34__W12 24_5.bgl"},
      {" N42 34.6", "W12 24.5 ", " N42 34_6__W12 24_5 .bgl"},
      {"N42 34.6.1", "W12 24.5", "N42 34_6_1__W12 24.5.bgl"},
      {"N42 34", "W12 24", "N42 34__W12 24.bgl"},
      // Separators, reserved characters and control characters never leave the folder (F5).
      {"N../../x 1", "W1 2", "N___.._x 1__W1 2.bgl"},
      {"N\\a:b*c?d 1", "W\"e<f>g|h 2", "N_a_b_c_d 1__W_e_f_g_h 2.bgl"},
      {"N\t1\r2", "W\x1F 3\x7F\xB0", "N_1_2__W_ 3\x7F\xB0.bgl"},
  };
  for (const auto& c : cases) EXPECT_EQ(SceneryFileName(c.latitude, c.longitude), c.name);
}

TEST(NavAidWriter, SeparatorsInTheNameStayInTheFolderF5) {
  TempFolder dir;
  WorkFolder folder{dir.path()};
  NavAidEntry e = Entry("VOR");
  e.latitude = "N../42 34.6";
  e.longitude = "W12/24 5";
  Status log;
  ASSERT_TRUE(Create(folder, e, &log).ok());
  EXPECT_EQ(dir.Read("N___42 34.6__W12_24 5.bgl").size(), kHeaderSize + kVorSectionSize);
  EXPECT_NE(dir.Read("orlith.log").find("The file N___42 34.6__W12_24 5.bgl was created"),
            std::string::npos);
}

TEST(NavAidWriter, NdbFileAndReport) {
  TempFolder dir;
  WorkFolder folder{dir.path()};
  NavAidEntry e = Entry("NDB");
  e.id = "ABC";
  e.name = "TEST NDB";
  Status log;
  ASSERT_TRUE(Create(folder, e, &log).ok());
  EXPECT_TRUE(log.ok());
  EXPECT_EQ(dir.Read(kFileName).size(), 228u);
  EXPECT_EQ(dir.Read("orlith.log"),
            "\r\n"
            "The file N42 34_6__W12 24_5.bgl was created with the following data: \r\n"
            "\r\n"
            "Position: N42 34.6, W12 24.5\r\n"
            "Type of NavAid: NDB\r\n"
            "Frequency: 350 kHz\r\n"
            "Range: 25 nm\r\n"
            "Altitude: 100 m\r\n"
            "NavAid ID: ABC\r\n"
            "NavAid name: TEST NDB\r\n");
}

TEST(NavAidWriter, ReportLinesFollowTheType) {
  const struct {
    const char* type;
    std::size_t fileSize;
    const char* report;
  } cases[] = {
      {"VOR", 246,
       "Frequency: 110.30 MHz\r\nRange: 25 nm\r\nAltitude: 100 m\r\n"
       "Magnetic deviation: -3 \xB0\r\nCode: 1\r\nNavAid ID: ABC\r\nNavAid name: TEST\r\n"},
      {"ILS", 246,
       "Frequency: 110.30 MHz\r\nRange: 25 nm\r\nAltitude: 100 m\r\n"
       "Magnetic deviation: -3 \xB0\r\nCode: 1\r\nLocalizer direction: 163 \xB0\r\n"
       "Glideslope: 3 \xB0\r\nNavAid ID: ABC\r\nNavAid name: TEST\r\n"},
      {"", 246,
       "Frequency: 110.30 MHz\r\nRange: 25 nm\r\nAltitude: 100 m\r\n"
       "Magnetic deviation: -3 \xB0\r\nCode: 1\r\nNavAid ID: ABC\r\nNavAid name: TEST\r\n"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    WorkFolder folder{dir.path()};
    Status log;
    ASSERT_TRUE(Create(folder, Entry(c.type), &log).ok()) << c.type;
    EXPECT_EQ(dir.Read(kFileName).size(), c.fileSize) << c.type;
    std::string expected = std::string("\r\nThe file ") + kFileName +
                           " was created with the following data: \r\n\r\n"
                           "Position: N42 34.6, W12 24.5\r\nType of NavAid: " +
                           c.type + "\r\n" + c.report;
    EXPECT_EQ(dir.Read("orlith.log"), expected) << c.type;
  }
}

TEST(NavAidWriter, ReportShowsTextsAsTypedF6) {
  TempFolder dir;
  WorkFolder folder{dir.path()};
  NavAidEntry e = Entry("NDB");
  e.id = "LONGID";
  e.name = "A NAME FAR LONGER THAN TWENTY-FOUR";
  Status log;
  ASSERT_TRUE(Create(folder, e, &log).ok());
  EXPECT_EQ(dir.Read(kFileName).size(), 228u);
  std::string report = dir.Read("orlith.log");
  EXPECT_NE(report.find("NavAid ID: LONGID\r\n"), std::string::npos);
  EXPECT_NE(report.find("NavAid name: A NAME FAR LONGER THAN TWENTY-FOUR\r\n"), std::string::npos);
}

TEST(NavAidWriter, SecondRunReplacesTheFileAndAddsAReport) {
  TempFolder dir;
  WorkFolder folder{dir.path()};
  Status log;
  ASSERT_TRUE(Create(folder, Entry("NDB"), &log).ok());
  ASSERT_TRUE(Create(folder, Entry("VOR"), &log).ok());
  EXPECT_EQ(dir.Read(kFileName).size(), 246u);
  std::string report = dir.Read("orlith.log");
  EXPECT_NE(report.find("Type of NavAid: NDB"), std::string::npos);
  EXPECT_NE(report.find("Type of NavAid: VOR"), std::string::npos);
}

struct FailureCase {
  const char* name;
  FaultOp op;
};

TEST(NavAidWriter, UnwritableSceneryFileIsReportedF1) {
  const FailureCase cases[] = {
      {"create", FaultOp::kOpenForWriting},
      {"append", FaultOp::kOpenForAppending},
      {"write", FaultOp::kAppend},
      {"close", FaultOp::kClose},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    FaultEnv env;
    env.Add(Fault{c.op, kFileName, "Read-only file system"});
    WorkFolder folder{dir.path(), &env};
    Status log;
    Status s = Create(folder, Entry("VOR"), &log);
    EXPECT_EQ(s.kind(), Status::Kind::kIoError) << c.name;
    EXPECT_EQ(s.ToString(), dir.File(kFileName) + ": Read-only file system") << c.name;
    EXPECT_TRUE(log.ok()) << c.name;
    EXPECT_FALSE(dir.Exists("orlith.log")) << c.name << ": no report for a failed file";
  }
}

TEST(NavAidWriter, UnwritableLogDoesNotFailTheFile) {
  TempFolder dir;
  FaultEnv env;
  env.Add(Fault{FaultOp::kOpenForAppending, "orlith.log", "Permission denied"});
  WorkFolder folder{dir.path(), &env};
  Status log;
  EXPECT_TRUE(Create(folder, Entry("NDB"), &log).ok());
  EXPECT_EQ(dir.Read(kFileName).size(), 228u);
  EXPECT_EQ(log.ToString(), dir.File("orlith.log") + ": Permission denied");

  // An earlier log failure is kept.
  Status earlier = Status::IoError("orlith.log", "first");
  EXPECT_TRUE(AppendNavAidSection(folder, Entry("NDB"), &earlier).ok());
  EXPECT_EQ(earlier.reason(), "first");
  EXPECT_TRUE(AppendNavAidSection(folder, Entry("NDB"), nullptr).ok());
}

using NavAidWriterDeathTest = ::testing::Test;

TEST(NavAidWriterDeathTest, RejectedTextKeepsTheExistingFile) {
  TempFolder dir;
  WorkFolder folder{dir.path()};
  std::string name = SceneryFileName("N42", "W12 24.5");
  dir.Write(name, "earlier file");
  EXPECT_EXIT(WriteSceneryHeader(folder, "N42", "W12 24.5", "VOR", "113.90"),
              ::testing::ExitedWithCode(kInputErrorStatus), "Input Error - Program terminates!");
  EXPECT_EXIT(WriteSceneryHeader(folder, "N42 34.6", "", "VOR", "113.90"),
              ::testing::ExitedWithCode(kInputErrorStatus), "Input Error - Program terminates!");
  EXPECT_EQ(dir.Read(name), "earlier file");
  EXPECT_FALSE(dir.Exists(SceneryFileName("N42 34.6", "")));
}

}  // namespace
}  // namespace orlith
