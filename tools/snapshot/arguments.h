#pragma once
// The snapshot tool's command line.

#include <string>
#include <vector>

#include "tools/snapshot/snapshot.h"

namespace glyphverse {

struct SnapshotCommand {
  SnapshotOptions options;
  // The text that --help or --version asks for; when it is set, nothing runs.
  std::string info;
};

// Reads the arguments after the program name:
//   [--start PLACE|X,Y] [--frame-time S] [--script STEPS | --script-file FILE] --out FILE.png
// PLACE is a place's text; X and Y are any 32-bit integers and wrap into the
// world as the explorer's position does. Throws UsageError naming the
// argument that is wrong.
SnapshotCommand parseSnapshotCommand(const std::vector<std::string>& arguments);

}  // namespace glyphverse
