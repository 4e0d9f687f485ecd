#include "adapters/nic_installer.h"

#include "common/os_version.h"

CNicInstaller::CNicInstaller() : xp_(GetOsTypeCode() == kOsTypeWindowsXp) {}

void CNicInstaller::ReportProgress(const wchar_t* text) const {
  ::OutputDebugStringW(L"Install/Remove : ");
  ::OutputDebugStringW(text);
  ::OutputDebugStringW(L"\n");
  if (progressWindow_) ::SendMessageW(progressWindow_, UM_PROGRESS_TEXT, 0, reinterpret_cast<LPARAM>(text));
}
