#include "app/command_line.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>

#include "base/help_formatter.h"
#include "base/message_text.h"
#include "base/version.h"
#include "keep/place_link.h"

namespace glyphverse {
namespace {

constexpr const char* DESCRIPTION =
    "Explores the glyphverse universe in a window, or in the terminal where no window\n"
    "can open. With no argument it starts on the galaxy at (10, 10).";

constexpr const char* FOOTER = R"(Places:
  2/X/Y               the galaxy at (X, Y), for example 2/1100/2100
  LEVEL/GX/GY/X/Y     (X, Y) in the star system of galaxy cell (GX, GY) (level 3)
                      or on its planet (level 4), for example 3/1100/2100/4/7
  glyphverse:PLACE    a link to a place, as C copies it
  PICTURE.png         where a picture saved with F12 was taken
  Coordinates run from 0 to 16777215; others wrap, as the tools read them:
  2/-1/5 is 2/16777215/5.

Bookmarks, the log of visits and where the last run ended are kept in
$XDG_DATA_HOME/glyphverse/glyphverse.db (~/.local/share/glyphverse/ by default);
GLYPHVERSE_DATABASE=FILE keeps them in FILE instead, GLYPHVERSE_DATABASE=none
nowhere.

Exit status: 0 after Esc, 1 when neither a window nor a terminal can be used,
2 for a bad argument.)";

bool looksLikePicture(const std::string& argument) {
  const std::string suffix = ".png";
  if (argument.size() > suffix.size()) {
    std::string end = argument.substr(argument.size() - suffix.size());
    for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (end == suffix) return true;
  }
  struct stat info {};
  return ::stat(argument.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Place startFrom(const std::string& argument, const PictureReader& placeOfPicture) {
  if (!isPlaceLink(argument) && looksLikePicture(argument)) {
    const PlaceReading reading = placeOfPicture(argument);
    if (!reading.place) throw CommandLineError(reading.error);
    return *reading.place;
  }
  const PlaceReading reading = readPlaceOrLink(argument);
  if (!reading.place) {
    throw CommandLineError("'" + echoedField(argument) + "' is not a place: " + reading.error);
  }
  return *reading.place;
}

}  // namespace

ExplorerCommand parseExplorerCommand(const std::vector<std::string>& arguments,
                                     const PictureReader& placeOfPicture) {
  CLI::App app("", "glyphverse");
  auto formatter = std::make_shared<HelpFormatter>(
      "glyphverse [--continue | PLACE | glyphverse:PLACE | PICTURE.png]", DESCRIPTION);
  formatter->column_width(22);
  app.formatter(formatter);
  app.footer(FOOTER);
  app.set_version_flag("--version", std::string("glyphverse ") + projectVersion());
  ExplorerCommand command;
  std::string where;
  auto* place =
      app.add_option("PLACE", where, "where to start: a place, a link or a picture")->type_name("");
  app.add_flag("--continue", command.continueLastRun, "start where the last run ended");
  app.add_option("--catalogue", command.catalogue,
                 "list the systems of a catalogue that glyphverse-hunt wrote")
      ->type_name("FILE");
  command.info = parseCommandLine<CommandLineError>(app, arguments);
  if (!command.info.empty() || place->count() == 0) return command;
  if (command.continueLastRun) throw CommandLineError("give a place or --continue, not both");
  command.start = startFrom(where, placeOfPicture);
  return command;
}

}  // namespace glyphverse
