#include "tools/snapshot/snapshot.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/explorer.h"
#include "display/display.h"
#include "display/headless_backend.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = s.find(separator, start);
    parts.push_back(s.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

template <typename Number>
bool parseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int parseFrameCount(std::string_view text, std::string_view step) {
  int frames = 0;
  if (!parseNumber(text, frames) || frames < 0) {
    throw UsageError("--script: '" + std::string(step) + "' needs a frame count of 0 or more");
  }
  return frames;
}

int scanCodeOfName(std::string_view name, std::string_view step) {
  struct Named {
    std::string_view name;
    int scanCode;
  };
  static constexpr Named KEYS[] = {
      {"up", SCAN_UP},       {"down", SCAN_DOWN},   {"left", SCAN_LEFT}, {"right", SCAN_RIGHT},
      {"shift", SCAN_SHIFT}, {"space", SCAN_SPACE}, {"alt", SCAN_ALT}};
  for (const Named& key : KEYS) {
    if (key.name == name) return key.scanCode;
  }
  throw UsageError("--script: unknown key '" + std::string(name) + "' in '" + std::string(step) +
                   "' (keys: up down left right shift space alt)");
}

KeyCode typedKey(std::string_view name, std::string_view step) {
  if (name == "esc") return KeyCode::character(CHAR_ESC);
  if (name == "enter") return KeyCode::character(CHAR_ENTER);
  if (name.size() == 1) return KeyCode::character(static_cast<std::uint8_t>(name[0]));
  throw UsageError("--script: '" + std::string(step) + "' types esc, enter or one character");
}

ScriptStep parseStep(std::string_view step) {
  std::vector<std::string_view> words;
  for (const std::string_view word : split(step, ' ')) {
    if (!word.empty()) words.push_back(word);
  }
  ScriptStep parsed;
  if (words.size() == 2 && words[0] == "wait") {
    parsed.kind = ScriptStep::Kind::wait;
    parsed.frames = parseFrameCount(words[1], step);
  } else if (words.size() == 3 && words[0] == "hold") {
    parsed.kind = ScriptStep::Kind::hold;
    for (const std::string_view key : split(words[1], '+')) {
      parsed.scanCodes.push_back(scanCodeOfName(key, step));
    }
    parsed.frames = parseFrameCount(words[2], step);
  } else if (words.size() == 2 && words[0] == "type") {
    parsed.kind = ScriptStep::Kind::type;
    parsed.key = typedKey(words[1], step);
  } else {
    throw UsageError("--script: cannot read step '" + std::string(step) +
                     "' (steps: wait N, hold KEYS N, type KEY)");
  }
  return parsed;
}

void parseStart(std::string_view text, SnapshotOptions& options) {
  const auto parts = split(text, ',');
  if (parts.size() != 2 || !parseNumber(parts[0], options.startX) ||
      !parseNumber(parts[1], options.startY) || options.startX < 0 || options.startY < 0 ||
      options.startX >= WORLD_SIZE || options.startY >= WORLD_SIZE) {
    throw UsageError("--start: '" + std::string(text) +
                     "' is not X,Y with X and Y from 0 to 16777215");
  }
}

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::vector<ScriptStep> parseScript(std::string_view script) {
  std::vector<ScriptStep> steps;
  for (const std::string_view step : split(script, ';')) {
    if (!trim(step).empty()) steps.push_back(parseStep(trim(step)));
  }
  return steps;
}

SnapshotOptions parseSnapshotArguments(const std::vector<std::string>& arguments) {
  SnapshotOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name != "--start" && name != "--frame-time" && name != "--script" && name != "--out") {
      throw UsageError("unknown argument '" + name + "'");
    }
    if (i + 1 == arguments.size()) throw UsageError(name + ": missing value");
    const std::string& value = arguments[++i];
    if (name == "--start") {
      parseStart(value, options);
    } else if (name == "--frame-time") {
      if (!parseNumber(value, options.frameTime) || !std::isfinite(options.frameTime) ||
          options.frameTime < 0) {
        throw UsageError("--frame-time: '" + value + "' is not a number of seconds, 0 or more");
      }
    } else if (name == "--script") {
      options.steps = parseScript(value);
    } else {
      options.out = value;
    }
  }
  if (options.out.empty()) throw UsageError("--out: an output file is required");
  return options;
}

SnapshotResult runSnapshot(const SnapshotOptions& options) {
  ManualClock clock{0.0, options.frameTime};
  Display display(std::make_unique<HeadlessBackend>(&clock), "glyphverse");
  Explorer explorer(display, options.startX, options.startY);
  SnapshotResult result;
  auto runFrames = [&](int count) {
    for (int n = 0; n < count && !result.ended; ++n) {
      result.ended = !explorer.runFrame();
      ++result.frames;
    }
  };
  for (const ScriptStep& step : options.steps) {
    if (step.kind == ScriptStep::Kind::type) {
      display.keyboard().push(step.key);
      continue;
    }
    for (const int code : step.scanCodes) display.keyboard().setDown(code, true);
    runFrames(step.frames);
    display.keyboard().releaseAll();
  }
  if (result.frames == 0) runFrames(1);
  result.frame = display.page(explorer.lastDrawnPage());
  result.state = explorer.state();
  return result;
}

std::string snapshotJson(const SnapshotResult& result) {
  const ViewState& s = result.state;
  return "{\"x\":" + std::to_string(s.x) + ",\"y\":" + std::to_string(s.y) +
         ",\"viewLevel\":" + std::to_string(s.viewLevel) +
         ",\"nebIntens\":" + std::to_string(s.system.nebIntens) +
         ",\"systemName\":" + jsonString(s.system.name) +
         ",\"starCount\":" + std::to_string(s.system.starCount) +
         ",\"planetCount\":" + std::to_string(s.system.planetCount) +
         ",\"frames\":" + std::to_string(result.frames) + "}";
}

}  // namespace glyphverse
