// Speed of the pop-ups' work that runs on the UI thread: the map recolouring and the
// one-line captions of the clip pop-up.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/SmartList.h"
#include "time/TimeMapMath.h"

namespace {

// Land in a rough band pattern, sea elsewhere.
std::vector<std::uint32_t> MapPicture() {
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(vimo::kMapWidth) * vimo::kMapHeight, 0x00FFFFFF);
  for (int y = 0; y < vimo::kMapHeight; ++y)
    for (int x = 0; x < vimo::kMapWidth; ++x)
      if ((x / 20 + y / 15) % 3 == 0) bits[static_cast<std::size_t>(y) * vimo::kMapWidth + x] = 0;
  return bits;
}

void BM_PaintMapBits(benchmark::State& state) {
  auto bits = MapPicture();
  int minute = 0;
  for (auto _ : state) {
    vimo::PaintMapBits(bits.data(), vimo::kMapWidth, vimo::kMapHeight, vimo::kMapWidth, -60, minute);
    minute = (minute + 1) % 1440;
    benchmark::DoNotOptimize(bits.data());
  }
}
BENCHMARK(BM_PaintMapBits)->Unit(benchmark::kMicrosecond);

// The whole picture from the land mask, the night side shaded.
void BM_PaintMapWithNight(benchmark::State& state) {
  auto bits = MapPicture();
  std::vector<std::uint8_t> land(bits.size());
  for (std::size_t i = 0; i < bits.size(); ++i) land[i] = bits[i] == 0;
  int minute = 0;
  for (auto _ : state) {
    vimo::TSun sun = vimo::SunAt({2026, 12, 21, minute / 60, minute % 60, 0});
    vimo::PaintMapBits(bits.data(), vimo::kMapWidth, vimo::kMapHeight, vimo::kMapWidth, -60, minute, land.data(), sun);
    minute = (minute + 1) % 1440;
    benchmark::DoNotOptimize(bits.data());
  }
}
BENCHMARK(BM_PaintMapWithNight)->Unit(benchmark::kMicrosecond);

void BM_ClipCaption(benchmark::State& state) {
  std::string text;
  const std::string line = "   Dear John,\r\n\r\n    thanks for the      long letter.  ";
  while (text.size() < static_cast<std::size_t>(state.range(0))) text += line;
  text.resize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(vimo::ClipCaption(text));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ClipCaption)->RangeMultiplier(4)->Range(1 << 14, 1 << 20)->Complexity()->Unit(benchmark::kMicrosecond);

}  // namespace
