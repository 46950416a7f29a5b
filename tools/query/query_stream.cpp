#include "tools/query/query_stream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "tools/query/query.h"

namespace glyphverse {
namespace {

constexpr std::size_t READ_CHUNK = 64 << 10;
constexpr std::size_t FLUSH_AT = 64 << 10;

struct IoFailure {
  std::string reason;
};

class AnswerBuffer {
 public:
  explicit AnswerBuffer(int out) : out_(out) {}
  void add(const std::string& answer) {
    text_ += answer;
    text_ += '\n';
    if (text_.size() >= FLUSH_AT) flush();
  }
  void flush() {
    if (text_.empty()) return;
    const std::string error = writeAllTo(out_, text_);
    text_.clear();
    if (!error.empty()) throw IoFailure{"cannot write the answers: " + error};
  }

 private:
  int out_;
  std::string text_;
};

// Whether a read of `in` would wait for more input.
bool wouldBlock(int in) {
#if defined(__EMSCRIPTEN__)
  // Node's files cannot be polled: any read may wait, so answers are
  // written before each one.
  static_cast<void>(in);
  return true;
#else
  pollfd ready{in, POLLIN, 0};
  int n = 0;
  do {
    n = ::poll(&ready, 1, 0);
  } while (n < 0 && errno == EINTR);
  return n == 0;
#endif
}

// Splits the input into lines; a line longer than MAX_QUERY_LINE is dropped
// as it arrives and reported once it ends.
class QueryLines {
 public:
  QueryLines(int in, AnswerBuffer& answers) : in_(in), answers_(answers) {}

  // Calls `onLine` for each complete line and `onTooLong` for each line that
  // was too long, until the end of input.
  template <typename OnLine, typename OnTooLong>
  void forEach(OnLine onLine, OnTooLong onTooLong) {
    std::string pending;
    bool dropping = false;
    char chunk[READ_CHUNK];
    for (;;) {
      const std::size_t n = readChunk(chunk);
      if (n == 0) break;
      std::string_view data(chunk, n);
      for (std::size_t end; (end = data.find('\n')) != std::string_view::npos;) {
        if (dropping || pending.size() + end > MAX_QUERY_LINE) {
          onTooLong();
        } else if (pending.empty()) {
          onLine(data.substr(0, end));  // the whole line is in this chunk
        } else {
          pending.append(data.substr(0, end));
          onLine(std::string_view(pending));
        }
        pending.clear();
        dropping = false;
        data.remove_prefix(end + 1);
      }
      if (!dropping && pending.size() + data.size() > MAX_QUERY_LINE) {
        dropping = true;
        pending = std::string();
      }
      if (!dropping) pending.append(data);
    }
    if (dropping) {
      onTooLong();
    } else if (!pending.empty()) {
      onLine(std::string_view(pending));
    }
  }

 private:
  std::size_t readChunk(char* chunk) {
    if (wouldBlock(in_)) answers_.flush();
    for (;;) {
      const ssize_t n = ::read(in_, chunk, READ_CHUNK);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno == EINTR) continue;
      const std::string reason = std::strerror(errno);
      answers_.flush();
      throw IoFailure{"cannot read the queries: " + reason};
    }
  }

  int in_;
  AnswerBuffer& answers_;
};

}  // namespace

std::string writeAllTo(int out, const std::string& text) {
  std::string_view rest(text);
  while (!rest.empty()) {
    const ssize_t n = ::write(out, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? std::strerror(errno) : "nothing was written";
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  return "";
}

StreamOutcome answerQueryStream(int in, int out) {
  StreamOutcome outcome;
  AnswerBuffer answers(out);
  try {
    QueryLines(in, answers)
        .forEach(
            [&](std::string_view line) {
              if (!isQueryLine(line)) return;
              QueryAnswer answer = answerQuery(line);
              outcome.allQueriesOk = outcome.allQueriesOk && answer.ok;
              answers.add(answer.text);
            },
            [&] {
              outcome.allQueriesOk = false;
              answers.add("error: the line is longer than " + std::to_string(MAX_QUERY_LINE) +
                          " bytes");
            });
    answers.flush();
  } catch (const IoFailure& failure) {
    outcome.ioError = failure.reason;
  }
  return outcome;
}

}  // namespace glyphverse
