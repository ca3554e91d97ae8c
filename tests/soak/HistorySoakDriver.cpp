// Drives the real history store in its data folder ($XDG_DATA_HOME) for the
// crash soak: "run" captures texts and images and drops entries until it is
// killed, noting each state it goes through; "check" inspects what a kill
// left, then starts a store the way the application does and checks that the
// start cleaned up.
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "FakePasteboard.h"
#include "ManualMainLoop.h"
#include "history/ClipboardStore.h"
#include "history/HistoryCodec.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ThreadPriority.h"

namespace {

// The entries' order and pins, hashed.
std::string fingerprint(const std::vector<ClipboardItem>& items) {
  std::string ids;
  for (const ClipboardItem& item : items)
    ids += item.id.toString() + (item.pinned ? "p" : "u");
  return std::to_string(std::hash<std::string>{}(ids));
}

int run(FileSystem& files) {
  FakePasteboard pasteboard;
  ManualMainLoop mainLoop;
  ClipboardStore store(files, Clock::system(), pasteboard, mainLoop, ThreadPriority::system());
  // Noted before the store hands it to its writer: the file may hold only these.
  std::ofstream states(files.applicationFolder() + "/soak-states", std::ios::app);
  const auto note = [&] { states << fingerprint(store.items()) << std::endl; };
  note();
  store.addObserver(note);
  std::mt19937 random(std::random_device{}());
  for (unsigned step = 0;; ++step) {
    std::string payload(1000 + random() % 60000, static_cast<char>('a' + step % 26));
    payload += std::to_string(random());
    if (step % 3 == 0) {
      store.add(CapturedImage{Bytes(payload.begin(), payload.end())});
    } else {
      store.add(CapturedText{payload, std::nullopt});
    }
    if (step % 7 == 0 && !store.items().empty()) {
      store.deleteItem(store.items()[random() % store.items().size()].id);
    }
    if (step % 97 == 0) {
      store.clearUnpinned();
    }
  }
}

int fail(const std::string& why) {
  (void)std::fprintf(stderr, "soak check: %s\n", why.c_str());
  return 1;
}

int check(FileSystem& files) {
  const std::string folder = files.applicationFolder();
  if (std::optional<std::string> json = files.readFile(folder + "/history.json")) {
    std::optional<std::vector<ClipboardItem>> items = HistoryCodec::decode(*json);
    if (!items)
      return fail("history.json does not decode");
    for (const ClipboardItem& item : *items) {
      if (item.imageFileName && !files.fileSize(folder + "/images/" + *item.imageFileName))
        return fail("history.json names a missing image " + *item.imageFileName);
    }
    std::stringstream states;
    states << "\n" << std::ifstream(folder + "/soak-states").rdbuf();
    if (states.str().find("\n" + fingerprint(*items) + "\n") == std::string::npos)
      return fail("history.json holds no state the history went through");
  }

  FakePasteboard pasteboard;
  ManualMainLoop mainLoop;
  ClipboardStore store(files, Clock::system(), pasteboard, mainLoop, ThreadPriority::system());
  std::size_t named = 0;
  for (const ClipboardItem& item : store.items()) {
    named += item.imageFileName ? 1 : 0;
  }
  for (const std::string& name : files.listFolder(folder).value_or(std::vector<std::string>())) {
    if (name.find(".tmp-") != std::string::npos)
      return fail("temporary file left after start: " + name);
  }
  std::vector<std::string> images =
      files.listFolder(folder + "/images").value_or(std::vector<std::string>());
  if (images.size() != named) {
    return fail(std::to_string(images.size()) + " files in images/ for " + std::to_string(named) +
                " named images");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<FileSystem> files = FileSystem::createReal();
  if (argc == 2 && std::string_view(argv[1]) == "run")
    return run(*files);
  if (argc == 2 && std::string_view(argv[1]) == "check")
    return check(*files);
  (void)std::fprintf(stderr, "usage: %s run|check\n", argv[0]);
  return 2;
}
