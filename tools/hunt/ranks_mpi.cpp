#include <mpi.h>

#include <cstdlib>
#include <vector>

#include "tools/hunt/ranks.h"

namespace glyphverse {
namespace {

constexpr int REQUEST_TAG = 1;
constexpr int TILE_TAG = 2;
constexpr std::int64_t NO_TILE = -1;

// mpirun and srun tell their processes so in the environment; a program
// started by hand stays out of MPI altogether.
bool startedAsRank() {
  for (const char* name : {"OMPI_COMM_WORLD_SIZE", "PMIX_RANK", "PMI_RANK", "PMI_SIZE"}) {
    if (std::getenv(name) != nullptr) return true;
  }
  return false;
}

}  // namespace

Ranks::Ranks(int& argc, char**& argv) {
  if (!startedAsRank()) return;
  int provided = 0;
  MPI_Init_thread(&argc, &argv, MPI_THREAD_FUNNELED, &provided);
  joined_ = true;
  MPI_Comm_rank(MPI_COMM_WORLD, &rank_);
  MPI_Comm_size(MPI_COMM_WORLD, &size_);
}

Ranks::~Ranks() {
  if (joined_) MPI_Finalize();
}

std::optional<Ranks::Request> Ranks::pollRequest() {
  if (!joined_) return std::nullopt;
  int waiting = 0;
  MPI_Status status;
  MPI_Iprobe(MPI_ANY_SOURCE, REQUEST_TAG, MPI_COMM_WORLD, &waiting, &status);
  if (!waiting) return std::nullopt;
  int size = 0;
  MPI_Get_count(&status, MPI_CHAR, &size);
  Request request{status.MPI_SOURCE, std::string(static_cast<std::size_t>(size), '\0')};
  MPI_Recv(request.tileBytes.data(), size, MPI_CHAR, status.MPI_SOURCE, REQUEST_TAG, MPI_COMM_WORLD,
           MPI_STATUS_IGNORE);
  return request;
}

void Ranks::answer(int rank, std::optional<std::int64_t> tile) {
  std::int64_t index = tile.value_or(NO_TILE);
  MPI_Send(&index, 1, MPI_INT64_T, rank, TILE_TAG, MPI_COMM_WORLD);
}

std::optional<std::int64_t> Ranks::exchange(const std::string& finishedTileBytes) {
  // MPI takes a non-const buffer in older interfaces; nothing is written to it.
  std::vector<char> bytes(finishedTileBytes.begin(), finishedTileBytes.end());
  MPI_Send(bytes.data(), static_cast<int>(bytes.size()), MPI_CHAR, 0, REQUEST_TAG, MPI_COMM_WORLD);
  std::int64_t index = NO_TILE;
  MPI_Recv(&index, 1, MPI_INT64_T, 0, TILE_TAG, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
  if (index == NO_TILE) return std::nullopt;
  return index;
}

}  // namespace glyphverse
