#pragma once
// glyphverse-hunt's command line, read.

#include <optional>
#include <string>
#include <vector>

#include "gen/star_hunt.h"

namespace glyphverse {

struct HuntOptions {
  TilePlan plan;
  StarFilter filter;
  std::string out;
  int threads = 0;  // 0: one a core
  bool quiet = false;
};

struct HuntOptionsReading {
  std::optional<HuntOptions> options;
  std::string info;   // what --help or --version asks to print
  std::string error;  // why the command line is wrong
};
HuntOptionsReading readHuntOptions(const std::vector<std::string>& arguments);

}  // namespace glyphverse
