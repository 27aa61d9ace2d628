// kestrova-score-saver PATH COUNT [SCORE]: saves the score table at PATH COUNT
// times and prints each saved score on its own line as soon as that save has
// returned. Without SCORE each save enters one above the best; with it, each
// enters SCORE, and the saver first waits for its standard input to close, so
// that a test can let many go at once. The score file tests run it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/high_score.hpp"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: kestrova-score-saver PATH COUNT [SCORE]\n");
    return 2;
  }
  const std::string path = argv[1];
  const long count = std::strtol(argv[2], nullptr, 10);
  if (argc == 4) {
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
  }
  HighScoreTable table;
  table.Load(path);
  for (long i = 0; i < count; ++i) {
    const long next = argc == 4 ? std::strtol(argv[3], nullptr, 10) : table.entries[0].score + 1L;
    if (next > INT16_MAX) return 1;
    if (!table.Save(path, static_cast<int16_t>(next))) return 1;
    std::printf("%ld\n", next);
    std::fflush(stdout);
  }
  return 0;
}
