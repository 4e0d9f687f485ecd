// A recorder in place of the sequences' steps: each step is logged as one line, the answers come
// from a small state the test sets, and the progress texts reach a real window.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/nic_operations.h"

struct FakeNicState {
  bool lockFree = true;
  std::wstring lockHolder = L"Other Setup";
  int existingAdapters = 0;  // miniports present before the sequence
  bool miniportInstalls = true;
  bool protocolInstalls = true;
  bool bindingListWritten = true;
  bool adapterFound = true;
  std::vector<std::wstring> infNames{L"oem3.inf", L"oem4.inf", L"oem5.inf"};  // virtual KM, miniport, protocol
};

class FakeNicOperations {
 public:
  FakeNicOperations();
  ~FakeNicOperations();

  static FakeNicState state;
  static std::vector<std::wstring> calls;     // every step, in order
  static std::vector<std::wstring> commands;  // the command lines run
  static std::vector<std::wstring> progress;  // the texts the progress window received
  HWND window() const { return window_; }

  // The calls that begin with the prefix.
  static std::vector<std::wstring> CallsStartingWith(const std::wstring& prefix);

 private:
  NicOperations saved_;
  HWND window_ = nullptr;
};

// The fake's adapter GUIDs by NIC number.
std::wstring FakeGuid(int nic);
