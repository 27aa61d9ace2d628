#include "autopilot/report.hpp"

#include <cstdio>

namespace autopilot {

namespace {

std::string Seconds(int64_t frames) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%lld s", static_cast<long long>(frames / kFramesPerSecond),
                static_cast<long long>(frames % kFramesPerSecond * 10 / kFramesPerSecond));
  return text;
}

std::string Row(const std::string& label, const Window& w, bool stakes) {
  char line[112];
  std::snprintf(line, sizeof line, "%-10s %11lld %10lld %9lld %7lld", label.c_str(),
                static_cast<long long>(w.energyLost), static_cast<long long>(w.bombsUsed),
                static_cast<long long>(w.destroyed), static_cast<long long>(w.escaped));
  std::string row = line;
  if (stakes) {
    std::snprintf(line, sizeof line, " %10lld", static_cast<long long>(w.livesLost));
    row += line;
  }
  return row + "\n";
}

}  // namespace

Verdict Judge(const Tally& tally, bool reachedClear, bool stakes) {
  const size_t down = tally.CarriersDown().size();
  std::string carriers = std::to_string(down) + " of " + std::to_string(tally.CarriersComing()) + " carriers shot down";
  for (const int64_t frame : tally.CarriersDown()) carriers += ", at " + Seconds(frame);
  for (const int64_t frame : tally.CarriersGone()) carriers += ", one flew off at " + Seconds(frame);
  if (!reachedClear) {
    return {false, std::string("not cleared: ") + (stakes ? "the game was over" : "the stage did not end") + " after " +
                       Seconds(tally.Frames()) + "; " + carriers};
  }
  if (!stakes && tally.LowestEnergy() < 0) {
    return {false, "not cleared: the ship's energy fell to " + std::to_string(tally.LowestEnergy()) + "; " + carriers};
  }
  if (static_cast<int64_t>(down) < tally.CarriersComing()) return {false, "not cleared: " + carriers};
  return {true, "cleared at " + Seconds(tally.Frames()) + " of play, lowest energy " +
                    std::to_string(tally.LowestEnergy()) + "; " + carriers};
}

std::string ReportTable(const Tally& tally, bool stakes) {
  std::string text = std::string("time       energy lost bombs used destroyed escaped") + (stakes ? " lives lost" : "") + "\n";
  for (size_t i = 0; i < tally.Windows().size(); ++i) {
    const int64_t from = static_cast<int64_t>(i) * kWindowSeconds;
    text += Row(std::to_string(from) + "-" + std::to_string(from + kWindowSeconds) + " s", tally.Windows()[i], stakes);
  }
  return text + Row("total", tally.Total(), stakes);
}

}  // namespace autopilot
