// One keyboard hook on the GUI thread, shared by every listener of the process: a dragging tab
// control listens for Esc through it without taking the keyboard focus.
#pragma once
#include <windows.h>

#include <set>

class KeyboardHook {
 public:
  class Notify {
   public:
    virtual void OnKeyDown(UINT virtualKey, UINT keyFlags) = 0;

   protected:
    ~Notify() = default;
  };

  // Made, and its hook set on the calling thread, on first use; removed at program exit.
  static KeyboardHook& Instance();

  bool Add(Notify* listener);
  void Remove(Notify* listener);
  bool IsRegistered(Notify* listener);

  KeyboardHook(const KeyboardHook&) = delete;
  KeyboardHook& operator=(const KeyboardHook&) = delete;

 private:
  KeyboardHook();
  ~KeyboardHook();
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  void KeyDown(WPARAM wParam, LPARAM lParam);

  std::set<Notify*> listeners_;
  HHOOK hook_ = nullptr;
  CRITICAL_SECTION lock_;
};
