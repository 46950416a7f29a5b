#pragma once
// The tools' command lines through CLI11: --help texts with the usage line
// first, then what the program does, then CLI11's list of options and the
// tool's own footer; and one way of parsing them.

#include <CLI/CLI.hpp>

#include <string>
#include <utility>
#include <vector>

#include "base/message_text.h"

namespace glyphverse {

class HelpFormatter : public CLI::Formatter {
 public:
  // `usage` follows "Usage: "; `description` is a paragraph of whole lines.
  HelpFormatter(std::string usage, std::string description)
      : usage_(std::move(usage)), description_(std::move(description)) {}

  std::string make_description(const CLI::App*) const override { return ""; }
  std::string make_usage(const CLI::App*, std::string) const override {
    return "Usage: " + usage_ + "\n\n" + description_ + "\n";
  }

 private:
  std::string usage_;
  std::string description_;
};

// Parses `arguments` (the program's name left out) with `app`. Returns the
// text that --help or --version asks for, "" when neither; a bad argument
// throws `Error` with CLI11's message, escaped and cut.
template <typename Error>
std::string parseCommandLine(CLI::App& app, const std::vector<std::string>& arguments) {
  try {
    // CLI11 takes a vector of arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return app.help();
  } catch (const CLI::CallForVersion& version) {
    return std::string(version.what()) + "\n";
  } catch (const CLI::ParseError& error) {
    throw Error(echoedField(error.what(), CLI_MESSAGE_BYTES));
  }
  return "";
}

}  // namespace glyphverse
