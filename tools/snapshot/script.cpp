#include "tools/snapshot/script.h"

#include <charconv>
#include <string>

#include "base/message_text.h"

namespace glyphverse {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The words of `text`, split at blanks.
std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isBlank(text[i])) ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
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

UsageError stepError(std::string_view step, const std::string& problem) {
  return UsageError("'" + echoedField(step) + "' " + problem);
}

int parseFrameCount(std::string_view text, std::string_view step) {
  std::int64_t frames = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), frames);
  if (error != std::errc() || end != text.data() + text.size() || frames < 0 ||
      frames > MAX_RUN_FRAMES) {
    throw stepError(step, "needs a frame count from 0 to " + std::to_string(MAX_RUN_FRAMES));
  }
  return static_cast<int>(frames);
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
  throw stepError(step, "holds the unknown key '" + echoedField(name) +
                            "' (keys: up down left right shift space alt)");
}

KeyCode typedKey(std::string_view name, std::string_view step) {
  if (name == "esc") return KeyCode::character(CHAR_ESC);
  if (name == "enter") return KeyCode::character(CHAR_ENTER);
  if (name == "space") return KeyCode::character(' ');
  if (name == "f1") return KeyCode::specialKey(KEY_F1);
  if (name == "f12") return KeyCode::specialKey(KEY_F12);
  if (name == "up") return KeyCode::specialKey(KEY_UP);
  if (name == "down") return KeyCode::specialKey(KEY_DOWN);
  if (name == "delete") return KeyCode::specialKey(KEY_DELETE);
  if (name == "backspace") return KeyCode::character(8);
  if (name.size() == 1) return KeyCode::character(static_cast<std::uint8_t>(name[0]));
  throw stepError(step,
                  "types esc, enter, space, backspace, up, down, delete, f1, f12 or one character");
}

ScriptStep parseStep(std::string_view step) {
  const std::vector<std::string_view> w = words(step);
  ScriptStep parsed;
  if (w.size() == 2 && w[0] == "wait") {
    parsed.kind = ScriptStep::Kind::wait;
    parsed.frames = parseFrameCount(w[1], step);
  } else if (w.size() == 3 && w[0] == "hold") {
    parsed.kind = ScriptStep::Kind::hold;
    for (const std::string_view key : split(w[1], '+')) {
      parsed.scanCodes.push_back(scanCodeOfName(key, step));
    }
    parsed.frames = parseFrameCount(w[2], step);
  } else if (w.size() == 2 && w[0] == "type") {
    parsed.kind = ScriptStep::Kind::type;
    parsed.key = typedKey(w[1], step);
  } else if (w.size() >= 2 && w[0] == "text") {
    parsed.kind = ScriptStep::Kind::text;
    parsed.text = std::string(trim(step.substr(step.find("text") + 4)));
    parsed.frames = static_cast<int>(parsed.text.size());
  } else if (w.size() >= 2 && w[0] == "burst") {
    parsed.kind = ScriptStep::Kind::burst;
    parsed.text = std::string(trim(step.substr(step.find("burst") + 5)));
  } else {
    throw stepError(step,
                    "is not a step (steps: wait N, hold KEYS N, type KEY, text CHARACTERS, "
                    "burst CHARACTERS)");
  }
  return parsed;
}

}  // namespace

std::vector<ScriptStep> parseScript(std::string_view script) {
  std::vector<ScriptStep> steps;
  std::int64_t frames = 0;
  for (const std::string_view line : split(script, '\n')) {
    for (const std::string_view step : split(line, ';')) {
      if (trim(step).empty()) continue;
      steps.push_back(parseStep(trim(step)));
      frames += steps.back().frames;
      if (frames > MAX_RUN_FRAMES) {
        throw UsageError("the steps run more frames than a run may have (at most " +
                         std::to_string(MAX_RUN_FRAMES) + ")");
      }
    }
  }
  return steps;
}

std::int64_t scriptFrames(const std::vector<ScriptStep>& steps) {
  std::int64_t frames = 0;
  for (const ScriptStep& step : steps) frames += step.frames;
  return frames;
}

}  // namespace glyphverse
