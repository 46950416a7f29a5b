// glyphverse-query: a command-line window onto the universe. Answers the query
// given as arguments, or the queries on standard input, one a line; one
// tab-separated answer line per query. Exits 1 if any query was malformed.

#include <cstdio>
#include <iostream>
#include <string>

#include "tools/query/query.h"

int main(int argc, char** argv) {
  using glyphverse::answerQuery;
  if (argc > 1) {
    std::string query;
    for (int i = 1; i < argc; ++i) query += std::string(i > 1 ? " " : "") + argv[i];
    const auto answer = answerQuery(query);
    std::printf("%s\n", answer.text.c_str());
    return answer.ok ? 0 : 1;
  }

  std::ios::sync_with_stdio(false);
  bool allOk = true;
  std::string line;
  std::string out;
  while (std::getline(std::cin, line)) {
    if (!glyphverse::isQueryLine(line)) continue;
    const auto answer = answerQuery(line);
    allOk = allOk && answer.ok;
    out += answer.text;
    out += '\n';
    if (out.size() > 1 << 16) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return allOk ? 0 : 1;
}
