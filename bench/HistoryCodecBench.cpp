// Encoding and decoding speed of the history file for the three history
// shapes, each cold (fresh memory per call) and warm (buffers kept, as the
// store keeps them); throughput is counted in bytes of JSON.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "BenchHistories.h"
#include "history/HistoryCodec.h"
#include "history/HistoryDecoder.h"

namespace {

enum class Shape { typical, heavy, worst };

// Built on first use, so a filtered run only pays for what it measures.
const std::vector<ClipboardItem>& history(Shape shape) {
  switch (shape) {
    case Shape::typical: {
      static const auto items = BenchHistories::typical();
      return items;
    }
    case Shape::heavy: {
      static const auto items = BenchHistories::heavy();
      return items;
    }
    case Shape::worst:
      break;
  }
  static const auto items = BenchHistories::worst();
  return items;
}

// Cold: a fresh string per call, as a one-off save would see it.
void encodeHistory(benchmark::State& state, Shape shape) {
  const auto& items = history(shape);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string json = HistoryCodec::encode(items);
    bytes = json.size();
    benchmark::DoNotOptimize(json.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["json_bytes"] = static_cast<double>(bytes);
}

// Warm: one buffer kept across calls, as the store keeps it across saves.
void encodeHistoryIntoKeptBuffer(benchmark::State& state, Shape shape) {
  const auto& items = history(shape);
  std::string json;
  for (auto _ : state) {
    HistoryCodec::encode(items, json);
    benchmark::DoNotOptimize(json.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
  state.counters["json_bytes"] = static_cast<double>(json.size());
}

// Cold: a fresh parser per call, as the store's one load at start-up sees it.
void decodeHistory(benchmark::State& state, Shape shape) {
  const std::string json = HistoryCodec::encode(history(shape));
  for (auto _ : state) {
    auto items = HistoryCodec::decode(json);
    if (!items) {
      state.SkipWithError("the encoded history did not decode");
      return;
    }
    benchmark::DoNotOptimize(items->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
  state.counters["json_bytes"] = static_cast<double>(json.size());
}

// Warm: one decoder and one list of entries kept across calls, so the
// parser's buffers and the entries' strings are already grown.
void decodeHistoryWithKeptDecoder(benchmark::State& state, Shape shape) {
  const std::string json = HistoryCodec::encode(history(shape));
  HistoryDecoder decoder;
  std::vector<ClipboardItem> items;
  for (auto _ : state) {
    if (!decoder.decode(json, items)) {
      state.SkipWithError("the encoded history did not decode");
      return;
    }
    benchmark::DoNotOptimize(items.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
  state.counters["json_bytes"] = static_cast<double>(json.size());
}

BENCHMARK_CAPTURE(encodeHistory, typical, Shape::typical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(encodeHistoryIntoKeptBuffer, typical, Shape::typical)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decodeHistory, typical, Shape::typical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decodeHistoryWithKeptDecoder, typical, Shape::typical)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(encodeHistory, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encodeHistoryIntoKeptBuffer, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeHistory, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeHistoryWithKeptDecoder, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
// About 800 MB a pass: a few passes say enough.
BENCHMARK_CAPTURE(encodeHistory, worst, Shape::worst)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(encodeHistoryIntoKeptBuffer, worst, Shape::worst)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeHistory, worst, Shape::worst)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(decodeHistoryWithKeptDecoder, worst, Shape::worst)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
