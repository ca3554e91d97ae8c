// The cost of the poll that finds nothing new, which is almost every poll:
// it must read the change count once and touch no content.
#include <benchmark/benchmark.h>

#include <memory>

#include "FakeImageConverter.h"
#include "FakePasteboard.h"
#include "FakeRtfConverter.h"
#include "ManualMainLoop.h"
#include "capture/ClipboardMonitor.h"

namespace {

void idleTick(benchmark::State& state) {
  FakePasteboard pasteboard;
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  ManualMainLoop loop;
  pasteboard.copyText("already on the pasteboard");
  auto monitor = std::make_shared<ClipboardMonitor>(pasteboard, imageConverter, rtfConverter, loop);
  int captures = 0;
  monitor->onNewItem = [&captures](const Captured&) { ++captures; };
  pasteboard.changeCountReads = 0;
  pasteboard.contentReads = 0;

  for (auto _ : state)
    monitor->check();

  const auto ticks = static_cast<double>(state.iterations());
  if (pasteboard.changeCountReads != state.iterations() || pasteboard.contentReads != 0 ||
      captures != 0) {
    state.SkipWithError("an idle tick read more than the change count");
    return;
  }
  state.counters["changeCountReadsPerTick"] = pasteboard.changeCountReads / ticks;
  state.counters["contentReadsPerTick"] = pasteboard.contentReads / ticks;
}
BENCHMARK(idleTick);

}  // namespace

BENCHMARK_MAIN();
