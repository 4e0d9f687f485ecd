#include "framework/runtime_class.h"

#include <map>
#include <mutex>
#include "framework/wnd.h"

namespace {
std::mutex& RegistryLock() {
  static std::mutex lock;
  return lock;
}
std::map<std::wstring, runtime_class::Factory>& Registry() {
  static std::map<std::wstring, runtime_class::Factory> registry;
  return registry;
}
}  // namespace

namespace runtime_class {
bool Register(const std::wstring& name, Factory factory) {
  std::lock_guard<std::mutex> hold(RegistryLock());
  Registry()[name] = std::move(factory);
  return true;
}

std::unique_ptr<CWnd> CreateObject(const std::wstring& name) {
  Factory factory;
  {
    std::lock_guard<std::mutex> hold(RegistryLock());
    auto found = Registry().find(name);
    if (found == Registry().end()) return nullptr;
    factory = found->second;
  }
  return factory();
}
}  // namespace runtime_class
