#include "tools/snapshot/arguments.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/decimal_number.h"
#include "base/help_formatter.h"
#include "base/message_text.h"
#include "base/version.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

// Long scripts come from files; this is far more than any run can use.
constexpr std::streamsize MAX_SCRIPT_FILE_BYTES = 16 << 20;

constexpr const char* DESCRIPTION =
    "Runs the glyphverse explorer headless on a virtual clock, driven by a script of\n"
    "held and typed keys, saves the last frame as a PNG and prints one line of JSON\n"
    "about where the explorer ended.";

constexpr const char* FOOTER = R"(Script steps, separated by ';' or line breaks:
  wait N        run N frames with no key held
  hold KEYS N   run N frames holding KEYS, names joined by '+' from
                up down left right shift space alt (for example hold up+shift 20)
  type KEY      queue a typed key: esc, enter, space, backspace, up, down,
                delete, f1, f12 or one character (esc ends the run); the
                explorer takes one typed key a frame, so give each key a frame
                (type m; wait 1)
  text CHARS    type the characters, spaces too, one a frame
                (for example text bright>=150 planets>=5)
  burst CHARS   queue the characters all at once, as fast typing sends
                them: a line being typed takes them all in the next frame
  Every N is 0 to 10000000, and a run has at most 10000000 frames.

The level keys (space, alt) work only once the explorer has run for half a
second: at the default frame time of 0.02 s that is 25 frames, so a script
that steps into a star system starts with 'wait 30'.

The JSON line has x, y, viewLevel, nebIntens, systemName, starCount,
planetCount, frames and place (the place's text, which --start takes);
while the scanner is open at the end, also scannerX, scannerY and
scannerZoom.

Exit status: 0 when the PNG and the JSON line were written, 1 when either
could not be written, 2 for a bad argument.)";

// A place's text, or X,Y on the galaxy.
void applyStart(const std::string& text, SnapshotOptions& options) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) {
    const PlaceReading reading = readPlace(text);
    if (!reading.place) {
      throw UsageError("--start: '" + echoedField(text) + "' is not a place: " + reading.error);
    }
    options.start = *reading.place;
    return;
  }
  const std::string_view all(text);
  const std::string_view fields[2] = {all.substr(0, comma), all.substr(comma + 1)};
  const char* names[2] = {"X", "Y"};
  std::int32_t coordinates[2] = {};
  for (int i = 0; i < 2; ++i) {
    const auto coordinate = readCoordinate(fields[i]);
    if (!coordinate) {
      throw UsageError("--start: " + notWholeNumberMessage(names[i], echoedField(fields[i])));
    }
    coordinates[i] = *coordinate;
  }
  options.start = galaxyPlace(coordinates[0], coordinates[1]);
}

void applyFrameTime(const std::string& text, SnapshotOptions& options) {
  double seconds = -1.0;
  const auto [end, error] = readDecimal(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || !(seconds >= 0.0) ||
      seconds > MAX_FRAME_TIME) {
    throw UsageError("--frame-time: '" + echoedField(text) +
                     "' is not a number of seconds from 0 to 1");
  }
  options.frameTime = seconds;
}

std::string readScriptFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text;
  char chunk[1 << 16];
  while (file && text.size() <= static_cast<std::size_t>(MAX_SCRIPT_FILE_BYTES)) {
    file.read(chunk, sizeof chunk);
    text.append(chunk, static_cast<std::size_t>(file.gcount()));
  }
  if (!file.eof()) {
    if (text.size() > static_cast<std::size_t>(MAX_SCRIPT_FILE_BYTES)) {
      throw UsageError("--script-file: '" + echoedField(path) + "' is longer than 16 MiB");
    }
    throw UsageError("--script-file: cannot read '" + echoedField(path) +
                     "': " + std::strerror(errno));
  }
  return text;
}

// The steps of a script given with `option`; its errors name the option.
std::vector<ScriptStep> stepsOf(const char* option, std::string_view script) {
  try {
    return parseScript(script);
  } catch (const UsageError& error) {
    throw UsageError(std::string(option) + ": " + error.what());
  }
}

// The values as given; they are checked and applied after parsing, so that
// each message says what the value must be.
struct RawArguments {
  std::string start;
  std::string frameTime;
  std::string script;
  std::string scriptFile;
};

CLI::Option* addOption(CLI::App& app, const char* name, std::string& value, const char* type,
                       const char* help) {
  return app.add_option(name, value, help)
      ->type_name(type)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void describeOptions(CLI::App& app, RawArguments& raw, SnapshotOptions& options) {
  auto formatter =
      std::make_shared<HelpFormatter>("glyphverse-snapshot [OPTIONS] --out FILE.png", DESCRIPTION);
  formatter->column_width(24);
  app.formatter(formatter);
  app.footer(FOOTER);
  app.set_version_flag("--version", std::string("glyphverse-snapshot ") + projectVersion());
  addOption(app, "--start", raw.start, "PLACE",
            "Where the explorer starts: a place such as 2/1100/2100\n"
            "(on the galaxy) or 3/1100/2100/4/7 (at (4, 7) in the\n"
            "system of galaxy cell (1100, 2100)), or X,Y on the\n"
            "galaxy with any 32-bit integers, which wrap into\n"
            "0..16777215 (default 10,10).");
  addOption(app, "--frame-time", raw.frameTime, "SECONDS",
            "Seconds the virtual clock moves at each frame,\n0 to 1 (default 0.02).");
  addOption(app, "--script", raw.script, "STEPS", "The steps to run (see below).");
  addOption(app, "--script-file", raw.scriptFile, "FILE",
            "Read the steps from FILE instead of --script,\n"
            "for scripts too long for an argument.");
  addOption(app, "--catalogue", options.cataloguePath, "FILE",
            "Show the catalogue that glyphverse-hunt wrote to FILE\nin its panel from the start.");
  addOption(app, "--out", options.out, "FILE.png",
            "Where to save the last frame (required). A file\n"
            "there is replaced only once the new one is complete.");
}

}  // namespace

SnapshotCommand parseSnapshotCommand(const std::vector<std::string>& arguments) {
  CLI::App app;
  app.name("glyphverse-snapshot");
  SnapshotCommand command;
  RawArguments raw;
  describeOptions(app, raw, command.options);
  command.info = parseCommandLine<UsageError>(app, arguments);
  if (!command.info.empty()) return command;
  if (app.count("--start") > 0) applyStart(raw.start, command.options);
  if (app.count("--frame-time") > 0) applyFrameTime(raw.frameTime, command.options);
  if (app.count("--script-file") > 0 && app.count("--script") > 0) {
    throw UsageError("--script and --script-file: give the steps one way only");
  }
  if (command.options.out.empty()) throw UsageError("--out: an output file is required");
  if (app.count("--script-file") > 0) {
    command.options.steps = stepsOf("--script-file", readScriptFile(raw.scriptFile));
  } else {
    command.options.steps = stepsOf("--script", raw.script);
  }
  return command;
}

}  // namespace glyphverse
