// Dynamic creation: a class registers a factory under its run-time class name, and a window of
// that class can then be made from the name alone.
#pragma once
#include <functional>
#include <memory>
#include <string>

class CWnd;

namespace runtime_class {
using Factory = std::function<std::unique_ptr<CWnd>()>;
// Registers (or replaces) the factory of name; returns true so that it can initialise a static.
bool Register(const std::wstring& name, Factory factory);
// A default-constructed object of the named class, or null for an unknown name.
std::unique_ptr<CWnd> CreateObject(const std::wstring& name);
}  // namespace runtime_class

// At namespace scope in the class's source file: CORVANE_DYNCREATE(TabCtrl)
#define CORVANE_DYNCREATE(ClassName)                                                     \
  static const bool ClassName##_registered = runtime_class::Register(                    \
      L## #ClassName, [] { return std::unique_ptr<CWnd>(new ClassName()); })
