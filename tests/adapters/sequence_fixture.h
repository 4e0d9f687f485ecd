// What the installation and removal sequence tests share: a program folder of their own as the
// current directory, and an installer whose devices, configuration and tools are recorded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapters/nic_installer.h"
#include "tests/adapters/fake_nic_operations.h"
#include "tests/common/temp_folder.h"

class SequenceFixture : public testing::Test {
 protected:
  SequenceFixture() {
    ::GetCurrentDirectoryW(MAX_PATH, previous_);
    ::SetCurrentDirectoryW(folder_.path().c_str());
    installer_.SetXp(false);
    installer_.SetProgressWindow(fake_.window());
  }
  ~SequenceFixture() override { ::SetCurrentDirectoryW(previous_); }

  bool Exists(const wchar_t* name) const {
    return ::GetFileAttributesW(folder_.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::wstring ServiceLine(const wchar_t* switchText) const {
    return L"\"" + folder_.path() + L"\\Service\\64\\Echoward.exe\" " + switchText;
  }

  TempFolder folder_;
  wchar_t previous_[MAX_PATH] = {};
  FakeNicOperations fake_;
  CNicInstaller installer_;
};
