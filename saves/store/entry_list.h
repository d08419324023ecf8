#pragma once
// The one rule both save lists follow when an entry goes: it leaves the list, and when it was the
// current one the first remaining entry takes its place. Game thread only.

#include <memory>
#include <vector>

template <typename Entry>
void dropEntry(std::vector<std::unique_ptr<Entry>>& entries, Entry*& current, Entry& entry) {
  if (current == &entry) current = nullptr;
  std::erase_if(entries, [&entry](const auto& held) { return held.get() == &entry; });
  if (current == nullptr && !entries.empty()) current = entries.front().get();
}

// The entries as plain pointers, to walk while entries are being dropped.
template <typename Entry>
std::vector<Entry*> entryPointers(const std::vector<std::unique_ptr<Entry>>& entries) {
  std::vector<Entry*> all;
  for (const auto& entry : entries) all.push_back(entry.get());
  return all;
}
