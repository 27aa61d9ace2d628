// Frame cost against a memcpy of the bytes the frame touches. Every figure is
// printed as a time and as a ratio to that baseline, measured in this process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/headless_core.hpp"
#include "data/tables.hpp"
#include "game/object.hpp"
#include "game/player.hpp"
#include "input/keyboard.hpp"
#include "platform/common/page_convert.hpp"

namespace {

const std::string kDataDir = std::string(KESTROVA_SOURCE_DIR) + "/data";

Core StartedCore() {
  std::string message;
  std::optional<Core> core = StartHeadlessCore(kDataDir, StartChoices{}, message);
  if (!core) std::abort();
  return std::move(*core);
}

// A game in play, fire held.
struct Game {
  Game() {
    PlayState playing = core.State();
    playing.m_state.SetPlaying(1);
    core.Restore(playing);
    fire.keys[VK_SPACE] = 0x80;
  }
  Core core = StartedCore();
  FrameInput fire;
};

// Nanoseconds per memcpy of `bytes`, the median of a few batches.
double MemcpyNanos(size_t bytes) {
  std::vector<uint8_t> from(bytes, 1), to(bytes);
  std::vector<double> samples;
  for (int batch = 0; batch < 9; ++batch) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
      std::memcpy(to.data(), from.data(), bytes);
      benchmark::ClobberMemory();
    }
    samples.push_back(std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / 20);
  }
  std::nth_element(samples.begin(), samples.begin() + 4, samples.end());
  return samples[4];
}

// A realistic mix: enemies (one carrier with three parts), bullets, explosions, popups.
std::vector<GameObject> Mix(int count) {
  std::vector<GameObject> objects;
  for (int i = 0; i < count; ++i) {
    GameObject o{};
    o.x = static_cast<float>(96 + (i * 37) % 420);
    o.y = static_cast<float>((i * 53) % 440);
    switch (i % 10) {
      case 0: case 1: case 2:
        o.kind = KIND_ENEMY;
        o.srcLeft = static_cast<int16_t>(32 * (i % 6));
        o.srcTop = 160;
        o.width = o.height = 32;
        o.hitPoints = 1000;
        o.stepTimer = 30000;
        o.fireChance = 200;
        o.speed = 1;
        o.angleX = o.angleY = static_cast<int16_t>((i * 11) & 0xFF);
        break;
      case 3:
        o.kind = KIND_GROUND_ENEMY;
        o.srcLeft = 192;
        o.srcTop = 160;
        o.width = o.height = 32;
        o.hitPoints = 1000;
        o.stepTimer = 30000;
        break;
      case 4: case 5: case 6:
        o.kind = i % 2 ? KIND_BULLET : KIND_SPREAD_BULLET;
        o.speed = 0;
        o.angleX = o.angleY = static_cast<int16_t>((i * 7) & 0xFF);
        break;
      case 7: case 8:
        o.kind = KIND_EXPLOSION;
        o.animFrame = static_cast<int16_t>(i % 7);
        break;
      default:
        o.kind = KIND_POPUP;
        break;
    }
    objects.push_back(o);
  }
  return objects;
}

void Load(PlayState& play, const std::vector<GameObject>& objects) {
  ObjectList& mainList = play.mainList;
  ObjectList& childList = play.childList;
  mainList.Clear();
  childList.Clear();
  for (const GameObject& o : objects) mainList.Append(new GameObject(o));
  if (!objects.empty()) {
    GameObject carrier{};
    carrier.kind = KIND_CARRIER;
    carrier.x = 256;
    carrier.y = 40;
    carrier.srcTop = 224;
    carrier.width = 128;
    carrier.height = 96;
    carrier.stepTimer = 30000;
    mainList.Append(new GameObject(carrier));
    for (int c = 0; c < 3; ++c) {
      GameObject part{};
      part.kind = 1;
      part.x = static_cast<float>(266 + 36 * c);
      part.y = 80;
      part.srcLeft = 128;
      part.srcTop = 224;
      part.width = part.height = 32;
      part.hitPoints = 1000;
      part.stepTimer = 30000;
      childList.Append(new GameObject(part));
    }
  }
}

size_t SpriteBytes(const std::vector<GameObject>& objects) {
  size_t bytes = 0;
  for (const GameObject& o : objects) bytes += o.kind == KIND_POPUP ? 4 * 64 : (o.width ? o.width * o.height : 16 * 16);
  return bytes;
}

void ReportAgainstBaseline(benchmark::State& state, double totalNanos, size_t bytesTouched) {
  const double baseline = MemcpyNanos(bytesTouched);
  state.counters["baseline_us"] = baseline / 1000;
  state.counters["ratio"] = totalNanos / static_cast<double>(state.iterations()) / baseline;
}

constexpr size_t kBackgroundBytes = 448 * 480;
constexpr size_t kPageBytes = 640 * 480;
constexpr size_t kConvertedBytes = 4 * kPageBytes;

// Peak resident memory after 10 000 frames of play with fire held; first, so
// that nothing measured later has grown the process yet.
void BM_PeakMemoryLongRun(benchmark::State& state) {
  for (auto _ : state) {
    Game game;
    for (int i = 0; i < 10000; ++i) game.core.Step(game.fire);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_PeakMemoryLongRun)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_FrameOfPlay(benchmark::State& state) {
  Game game;
  const std::vector<GameObject> objects = Mix(static_cast<int>(state.range(0)));
  std::vector<uint32_t> screen(kPageBytes);
  const Palette& palette = game.core.GetPalette();
  platform::PageConverter converter;
  PlayState loaded = game.core.State();
  double frameNanos = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Load(loaded, objects);
    loaded.g_player = Player{};
    game.core.Restore(loaded);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    const FrameOutput frame = game.core.Step(game.fire);
    converter.Convert(frame.page, palette, screen.data(), 640 * 4);
    benchmark::DoNotOptimize(screen.data());
    frameNanos += std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  }
  const size_t touched = kBackgroundBytes + kPageBytes + kConvertedBytes + SpriteBytes(objects);
  ReportAgainstBaseline(state, frameNanos, touched);
}
BENCHMARK(BM_FrameOfPlay)->Arg(0)->Arg(200)->Arg(1000)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_PaletteConversion(benchmark::State& state) {
  Game game;
  std::vector<uint8_t> page(kPageBytes);
  for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(i * 31);
  std::vector<uint32_t> screen(kPageBytes);
  const Palette& palette = game.core.GetPalette();
  platform::PageConverter converter;
  converter.Convert(page, palette, screen.data(), 640 * 4);  // the pair table is made once per palette
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    converter.Convert(page, palette, screen.data(), 640 * 4);
    benchmark::DoNotOptimize(screen.data());
  }
  ReportAgainstBaseline(state, std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count(),
                        kPageBytes + kConvertedBytes);
}
BENCHMARK(BM_PaletteConversion)->Unit(benchmark::kMicrosecond);

void BM_LoadData(benchmark::State& state) {
  for (auto _ : state) {
    DataError error;
    const auto data = std::make_unique<GameData>();
    if (!LoadGameData(kDataDir, *data, &error)) state.SkipWithError(error.Message().c_str());
  }
}
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond);

void BM_StartupToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    Core core = StartedCore();
    benchmark::DoNotOptimize(core.Step(FrameInput{}).page.data());
  }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
