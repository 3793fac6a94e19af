// Speed of the help's text work: reading the whole help text (done once, when help is
// first asked for) and laying out one topic (each time a topic is shown).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "help/HelpBook.h"
#include "help/HelpPage.h"

namespace {

std::string HelpSource() {
  std::string text;
  if (FILE* f = std::fopen(VIMO_HELP_SOURCE, "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

void BM_ParseHelpText(benchmark::State& state) {
  const std::string source = HelpSource();
  for (auto _ : state) benchmark::DoNotOptimize(vimo::THelpBook::Parse(source));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(source.size()));
}
BENCHMARK(BM_ParseHelpText)->Unit(benchmark::kMicrosecond);

// Every topic once per iteration; the time per topic is this divided by the topic count.
void BM_RenderEveryTopic(benchmark::State& state) {
  const vimo::THelpBook book = vimo::THelpBook::Parse(HelpSource());
  for (auto _ : state)
    for (const auto& topic : book.Topics()) benchmark::DoNotOptimize(vimo::RenderTopic(book, topic));
  state.counters["topics"] = static_cast<double>(book.Topics().size());
}
BENCHMARK(BM_RenderEveryTopic)->Unit(benchmark::kMicrosecond);

}  // namespace
