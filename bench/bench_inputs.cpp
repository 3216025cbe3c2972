// Makes the inputs of the end-to-end benchmark:
//   orlith-bench-inputs cfg BYTES FILE   a scenery.cfg of at least BYTES bytes of area blocks
//   orlith-bench-inputs batch ROWS FILE  a batch file of ROWS rows
//   orlith-bench-inputs deletes ROWS FILE  a batch file of ROWS delete rows
// Exit status 0 on success, 2 on a usage error, 3 when the file cannot be written.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kTypes[3][4] = {"NDB", "VOR", "ILS"};
constexpr char kCommands[3][7] = {"create", "modify", "delete"};

// A scenery.cfg as the simulator ships it, followed by add-on blocks up to the size. No line
// marks Orlith's updates area block, so every command appends it.
std::string SceneryConfig(long bytes) {
  std::string text =
      "[General]\r\nTitle=FS2002 World Scenery\r\nDescription=FS2002 Scenery Data\r\n"
      "Clean_on_Exit=TRUE\r\n\r\n"
      "[Area.001]\r\nTitle=Default Terrain\r\nLocal=Scenery\\World\r\nRemote=\r\n"
      "Active=TRUE\r\nRequired=TRUE\r\nLayer=1\r\n\r\n";
  char block[256];
  for (int area = 2; static_cast<long>(text.size()) < bytes; ++area) {
    std::snprintf(block, sizeof block,
                  "[Area.%03d]\r\nTitle=Addon Scenery %d\r\nLocal=Addon Scenery\\Pack%d\r\n"
                  "Remote=\r\nActive=TRUE\r\nRequired=FALSE\r\nLayer=%d\r\n\r\n",
                  area, area, area, area);
    text += block;
  }
  return text;
}

// Rows cycling through create, modify and delete (or deletes only) and through NDB, VOR and ILS,
// each at its own latitude, so every written row makes a scenery file of its own.
std::string Batch(long rows, bool deletes_only) {
  std::string text =
      "command,latitude,longitude,type,frequency,range,altitude,magnetic_deviation,dme,"
      "localizer_direction,glideslope_angle,id,name\r\n";
  char row[256];
  for (long i = 0; i < rows; ++i) {
    const char* type = kTypes[(i / 3) % 3];
    const char* params = type[0] == 'N'   ? "350,25,100,,,,,ABC,TEST NDB"
                         : type[0] == 'V' ? "113.90,40,200,-3,1,,,XYZ,TEST VOR"
                                          : "110.30,18,50,-3,1,270,3.0,IABC,TEST ILS";
    std::snprintf(row, sizeof row, "%s,N%ld %ld.%ld,W%ld 24.5,%s,%s\r\n",
                  kCommands[deletes_only ? 2 : i % 3], i % 80, (i / 80) % 60, (i / 4800) % 10,
                  i % 7, type, params);
    text += row;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc == 4 ? argv[1] : "";
  if (kind != "cfg" && kind != "batch" && kind != "deletes") {
    std::fprintf(
        stderr,
        "usage: orlith-bench-inputs cfg BYTES FILE | batch ROWS FILE | deletes ROWS FILE\n");
    return 2;
  }
  const long count = std::strtol(argv[2], nullptr, 10);
  const std::string text = kind == "cfg" ? SceneryConfig(count) : Batch(count, kind == "deletes");
  std::FILE* file = std::fopen(argv[3], "wb");
  if (file == nullptr) {
    std::perror(argv[3]);
    return 3;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    std::perror(argv[3]);
    return 3;
  }
  return 0;
}
