// kestrova-score-saver PATH COUNT: loads the score table from PATH, then saves
// it COUNT times, each time with a score one above the best, and prints each
// saved score on its own line as soon as that save has returned. The score
// file test kills it at varied moments.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/high_score.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kestrova-score-saver PATH COUNT\n");
    return 2;
  }
  const std::string path = argv[1];
  const long count = std::strtol(argv[2], nullptr, 10);
  HighScoreTable table;
  table.Load(path);
  for (long i = 0; i < count; ++i) {
    const int32_t next = table.entries[0].score + 1;
    if (next > INT16_MAX) return 1;
    if (!table.Save(path, static_cast<int16_t>(next))) return 1;
    std::printf("%d\n", next);
    std::fflush(stdout);
  }
  return 0;
}
