#pragma once
// The processes of one hunt. Started by mpirun or srun, the program is one of
// several MPI ranks: rank 0 hands out tiles as the others ask and writes the
// catalogue. Started alone, or built without MPI, it is the only rank. Only
// the thread that made the Ranks calls them.

#include <cstdint>
#include <optional>
#include <string>

namespace glyphverse {

class Ranks {
 public:
  // Joins the MPI job the program was started in, if any.
  Ranks(int& argc, char**& argv);
  ~Ranks();
  Ranks(const Ranks&) = delete;
  Ranks& operator=(const Ranks&) = delete;

  int rank() const { return rank_; }
  int size() const { return size_; }

  // Rank 0: the next request from another rank, if one has come: a finished
  // tile's bytes, or none for a rank's first request.
  struct Request {
    int rank = 0;
    std::string tileBytes;
  };
  std::optional<Request> pollRequest();
  // Rank 0: the tile a requesting rank is to compute, or none to stop.
  void answer(int rank, std::optional<std::int64_t> tile);

  // Other ranks: sends the bytes of the tile just finished ("" at first) and
  // waits for the next tile to compute; none when the hunt is over.
  std::optional<std::int64_t> exchange(const std::string& finishedTileBytes);

 private:
  bool joined_ = false;
  int rank_ = 0;
  int size_ = 1;
};

}  // namespace glyphverse
