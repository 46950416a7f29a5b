#pragma once
// glyphverse-query's standard-input mode: queries one a line, answers one a
// line, in order.

#include <cstddef>
#include <string>

namespace glyphverse {

// A longer line is answered with an error instead, without being held in memory.
inline constexpr std::size_t MAX_QUERY_LINE = 1 << 20;

struct StreamOutcome {
  bool allQueriesOk = true;  // no line was malformed or too long
  std::string ioError;       // why reading or writing failed; empty when neither did
};

// Answers every query line read from `in` on `out`. Answers are buffered
// while more input is ready and written before any read that would wait, so
// a person at a terminal or a program talking through pipes gets each answer
// as soon as its line is complete. Stops at the end of input or at the first
// failed read or write; every answer computed before a failed read is written.
StreamOutcome answerQueryStream(int in, int out);

// Writes all of `text` to `out`; the reason when it fails, else "".
std::string writeAllTo(int out, const std::string& text);

}  // namespace glyphverse
