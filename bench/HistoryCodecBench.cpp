// Encoding and decoding speed of the history file for the three history
// shapes: encoding whole and in the pieces a save streams, decoding cold
// (fresh memory per call) and warm (buffers kept); throughput is counted in
// bytes of JSON.
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

// Whole: into one fresh string, as the tests and tools see it.
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

// In pieces, as a save streams them to the file; the pieces are only looked at.
void encodeHistoryInPieces(benchmark::State& state, Shape shape) {
  const auto& items = history(shape);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    HistoryCodec::encode(items, [&](std::string_view piece) {
      bytes += piece.size();
      benchmark::DoNotOptimize(piece.data());
      return true;
    });
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["json_bytes"] = static_cast<double>(bytes);
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
BENCHMARK_CAPTURE(encodeHistoryInPieces, typical, Shape::typical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decodeHistory, typical, Shape::typical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decodeHistoryWithKeptDecoder, typical, Shape::typical)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(encodeHistory, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encodeHistoryInPieces, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeHistory, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeHistoryWithKeptDecoder, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
// About 800 MB a pass: a few passes say enough.
BENCHMARK_CAPTURE(encodeHistory, worst, Shape::worst)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(encodeHistoryInPieces, worst, Shape::worst)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeHistory, worst, Shape::worst)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(decodeHistoryWithKeptDecoder, worst, Shape::worst)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
