#include "framework/window_map.h"

#include <mutex>
#include <unordered_map>

namespace {
std::mutex& MapLock() {
  static std::mutex lock;
  return lock;
}
std::unordered_map<HWND, CWnd*>& Map() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}
}  // namespace

namespace window_map {
void Add(HWND window, CWnd* object) {
  std::lock_guard<std::mutex> hold(MapLock());
  Map()[window] = object;
}

void Remove(HWND window, CWnd* object) {
  std::lock_guard<std::mutex> hold(MapLock());
  auto found = Map().find(window);
  if (found != Map().end() && found->second == object) Map().erase(found);
}

CWnd* Find(HWND window) {
  if (!window) return nullptr;
  std::lock_guard<std::mutex> hold(MapLock());
  auto found = Map().find(window);
  return found == Map().end() ? nullptr : found->second;
}
}  // namespace window_map
