// The one pass over scenery.cfg that every command makes: its lines copied for the backup, each
// ended by CR LF, and what the area registration needs to know of them (config_scan.h). For the
// copy, lines end at a line feed; a CR right before it is not part of the line. The bytes after
// the last line feed make one more line, so a file ending with a line feed gives a final empty
// line and an empty file one empty line.
#pragma once

#include "core/file_env.h"
#include "core/status.h"
#include "scenery_config/config_scan.h"

namespace orlith {

// Reads in to its end and appends to out every line followed by CR LF, filling *scan. The bytes
// go to out unchanged except for a CR put before each line feed that has none, and a CR LF at the
// end. Works in blocks: memory does not grow with the file or its lines. Returns the first failure
// to read in or to append to out (then the copy is incomplete); closes neither file.
Status CopyConfigLines(ReadableFile& in, WritableFile& out, ConfigScan* scan);

// The same bytes in out and the same *scan as CopyConfigLines, sooner for the usual file whose
// line feeds all follow a CR: its copy is its own bytes and a CR LF, so each block is scanned and
// appended as it stands, taken in place where the system maps the file (ReadInPlace). At the first
// line feed without a CR, out is cut back to nothing and in is read again from its start by
// CopyConfigLines. in must stand at its start and out must be new and empty.
Status CopyConfigFile(ReadableFile& in, WritableFile& out, ConfigScan* scan);

}  // namespace orlith
