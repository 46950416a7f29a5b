#pragma once
// The explorer's command line:
//   glyphverse [--continue | PLACE | glyphverse:PLACE | PICTURE.png] [--catalogue FILE]
//              [--help] [--version]

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "world/place.h"

namespace glyphverse {

struct ExplorerCommand {
  // Where to start; none for the usual start on the galaxy at (10, 10).
  std::optional<Place> start;
  // --continue: where the last run ended, as the database keeps it.
  bool continueLastRun = false;
  // --catalogue: a hunt's catalogue to show in a panel; "" for none.
  std::string catalogue;
  // The text that --help or --version asks for; when it is set, nothing runs.
  std::string info;
};

// A bad argument; the message names it (escaped) and what is wrong.
struct CommandLineError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The place a picture file was taken at (see app/picture_place.h).
using PictureReader = std::function<PlaceReading(const std::string& path)>;

// Reads the arguments after the program's name. An argument is a link when
// it starts with "glyphverse:", a picture when it ends in ".png" or names a
// file, and a place's text otherwise. Throws CommandLineError.
ExplorerCommand parseExplorerCommand(const std::vector<std::string>& arguments,
                                     const PictureReader& placeOfPicture);

}  // namespace glyphverse
