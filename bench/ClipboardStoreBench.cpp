// The cost of one copy reaching a full history: `add` of a new text into 200
// unpinned and 5 pinned entries, trimming included, with the atomic rewrite
// of "history.json" on the real file system in a scratch folder; what the
// main thread alone spends on a 2 MB copy into the largest history; and of
// loading that history at start-up.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>  // mkdtemp: macOS declares it here, glibc in <cstdlib>

#include "BenchHistories.h"
#include "InertMainLoop.h"
#include "InertPasteboard.h"
#include "history/ClipboardStore.h"
#include "history/HistoryCodec.h"
#include "platform/Clock.h"
#include "platform/ThreadPriority.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

enum class Shape { typical, heavy, worst };

// The real POSIX file operations, with the history folder in a scratch
// folder instead of the user's own.
class ScratchFileSystem : public PosixFileSystem {
 public:
  explicit ScratchFileSystem(std::string root) : root_(std::move(root)) {}
  std::optional<std::string> applicationSupportDirectory() const override { return root_; }
  FileResult excludeFromBackup(const std::string&) override { return FileResult::success(); }

 private:
  std::string root_;
};

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        std::filesystem::temp_directory_path().string() + "/pellimore-bench-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr)
      path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The shape's 200 unpinned entries with 5 pinned ones spread among them.
std::vector<ClipboardItem> fullHistory(Shape shape) {
  std::vector<ClipboardItem> unpinned = shape == Shape::typical ? BenchHistories::typical()
                                        : shape == Shape::heavy ? BenchHistories::heavy()
                                                                : BenchHistories::worst();
  std::vector<ClipboardItem> items;
  for (std::size_t i = 0; i < unpinned.size(); ++i) {
    if (i % 40 == 0) {
      ClipboardItem pinned = BenchHistories::textEntry(BenchHistories::realisticText(200, 1000 + i),
                                                       static_cast<int>(i));
      pinned.pinned = true;
      items.push_back(std::move(pinned));
    }
    items.push_back(std::move(unpinned[i]));
  }
  return items;
}

// How many captures the history takes before trimming reaches its last large
// entry; the history is restored then, so every capture sees the same shape.
std::size_t capturesBeforeReset(const std::vector<ClipboardItem>& items) {
  std::size_t afterLastLarge = 0;
  for (const ClipboardItem& item : items) {
    if (item.pinned)
      continue;
    bool large = item.text && item.text->size() > 10'000;
    afterLastLarge = large ? 0 : afterLastLarge + 1;
  }
  return afterLastLarge == 0 ? 1 : afterLastLarge;
}

void addTextToFullHistory(benchmark::State& state, Shape shape) {
  ScratchFolder scratch;
  ScratchFileSystem fileSystem(scratch.path());
  InertPasteboard pasteboard;  // add never touches the pasteboard
  InertMainLoop mainLoop;
  const std::vector<ClipboardItem> items = fullHistory(shape);
  const std::string json = HistoryCodec::encode(items);
  const std::size_t resetEvery = capturesBeforeReset(items);
  const std::string folder = fileSystem.applicationFolder();

  std::unique_ptr<ClipboardStore> store;
  auto restore = [&] {
    store.reset();
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/history.json", std::ios::binary) << json;
    store = std::make_unique<ClipboardStore>(fileSystem, Clock::system(), pasteboard, mainLoop,
                                             ThreadPriority::system());
  };
  restore();
  if (store->items().size() != items.size()) {
    state.SkipWithError("the full history did not load");
    return;
  }

  std::size_t capture = 0;
  std::size_t sinceReset = 0;
  for (auto _ : state) {
    if (sinceReset == resetEvery) {
      state.PauseTiming();
      restore();
      sinceReset = 0;
      state.ResumeTiming();
    }
    store->add(CapturedText{"a new copy, number " + std::to_string(++capture), std::nullopt});
    // Until the file is written, as the copy-to-file figure counts it.
    store->finishWrites(std::chrono::steady_clock::now() + std::chrono::minutes(1));
    ++sinceReset;
  }
  if (store->items().size() != items.size())
    state.SkipWithError("the history did not stay full");
  state.counters["json_bytes"] = static_cast<double>(json.size());
}

// The main thread's share of a 2,000,000-byte copy into the largest
// history: the capture handed over, duplicate search, trim and the snapshot
// for the writer; the write itself runs on, untimed, before the next copy.
void addLongTextToLargestHistory(benchmark::State& state) {
  ScratchFolder scratch;
  ScratchFileSystem fileSystem(scratch.path());
  InertPasteboard pasteboard;
  InertMainLoop mainLoop;
  const std::string folder = fileSystem.applicationFolder();
  std::filesystem::create_directories(folder);
  {
    std::ofstream file(folder + "/history.json", std::ios::binary);
    HistoryCodec::encode(fullHistory(Shape::worst), [&](std::string_view piece) {
      file.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      return true;
    });
  }
  ClipboardStore store(fileSystem, Clock::system(), pasteboard, mainLoop, ThreadPriority::system());
  std::uint64_t seed = 1'000'000;
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = BenchHistories::realisticText(BenchHistories::largestText, ++seed);
    state.ResumeTiming();
    store.add(CapturedText{std::move(text), std::nullopt});
    state.PauseTiming();
    store.finishWrites(std::chrono::steady_clock::now() + std::chrono::minutes(1));
    state.ResumeTiming();
  }
}

// Start-up: a store reads and decodes the full history from its file, a
// piece at a time.
void loadFullHistory(benchmark::State& state, Shape shape) {
  ScratchFolder scratch;
  ScratchFileSystem fileSystem(scratch.path());
  InertPasteboard pasteboard;
  InertMainLoop mainLoop;
  const std::string folder = fileSystem.applicationFolder();
  std::filesystem::create_directories(folder);
  std::size_t itemCount = 0;
  std::size_t jsonBytes = 0;
  {
    // Streamed to the file: the largest history is not held twice.
    const std::vector<ClipboardItem> items = fullHistory(shape);
    itemCount = items.size();
    std::ofstream file(folder + "/history.json", std::ios::binary);
    HistoryCodec::encode(items, [&](std::string_view piece) {
      file.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      jsonBytes += piece.size();
      return true;
    });
  }
  for (auto _ : state) {
    ClipboardStore store(fileSystem, Clock::system(), pasteboard, mainLoop,
                         ThreadPriority::system());
    if (store.items().size() != itemCount) {
      state.SkipWithError("the full history did not load");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * jsonBytes));
  state.counters["json_bytes"] = static_cast<double>(jsonBytes);
}

BENCHMARK_CAPTURE(addTextToFullHistory, typical, Shape::typical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(addTextToFullHistory, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadFullHistory, typical, Shape::typical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(loadFullHistory, heavy, Shape::heavy)->Unit(benchmark::kMillisecond);
// About 800 MB: a few rounds say enough.
BENCHMARK(addLongTextToLargestHistory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(loadFullHistory, worst, Shape::worst)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
