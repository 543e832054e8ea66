#include "fuzz_check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {
const testing_support::ScriptedHost* watched = nullptr;
}  // namespace

void WatchHost(const testing_support::ScriptedHost* host) { watched = host; }

void Fail(const char* file, int line, const char* condition) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
  if (watched) {
    for (const testing_support::ShownMessageBox& box : watched->boxes) {
      std::fprintf(stderr, "  box: \"%s\" (%s, style %#x)\n", box.text.c_str(), box.caption.c_str(),
                   box.style);
    }
  }
  std::abort();
}

std::vector<std::string> BoxesSince(const testing_support::ScriptedHost& host, std::size_t from) {
  std::vector<std::string> texts;
  for (std::size_t i = from; i < host.boxes.size(); ++i) texts.push_back(host.boxes[i].text);
  return texts;
}

bool AllAmong(const std::vector<std::string>& texts, std::initializer_list<std::string_view> known,
              const std::function<bool(const std::string&)>& alsoKnown) {
  return std::all_of(texts.begin(), texts.end(), [&](const std::string& text) {
    return std::find(known.begin(), known.end(), text) != known.end() ||
           (alsoKnown && alsoKnown(text));
  });
}

}  // namespace fuzz
