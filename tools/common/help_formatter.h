#pragma once
// --help texts of the tools: the usage line first, then what the program does,
// then CLI11's list of options and the tool's own footer.

#include <CLI/CLI.hpp>

#include <string>
#include <utility>

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

}  // namespace glyphverse
