// The installer object of the installation and removal sequences: the progress window that gets
// each step's text, the done flag the dialogs read afterwards, and the XP flag that picks syntaxes.
#pragma once
#include <windows.h>

#include <string>

// To an installation or removal dialog: lParam the progress text, valid during the call only.
constexpr UINT UM_PROGRESS_TEXT = WM_USER + 1;

class CNicInstaller {
 public:
  CNicInstaller();

  void SetProgressWindow(HWND window) { progressWindow_ = window; }
  bool IsDone() const { return done_; }
  void SetDone(bool done) { done_ = done; }
  bool IsXp() const { return xp_; }
  void SetXp(bool xp) { xp_ = xp; }

  // "Install/Remove : <text>" to the debugger, then the text to the progress window when set.
  void ReportProgress(const wchar_t* text) const;
  void ReportProgress(const std::wstring& text) const { ReportProgress(text.c_str()); }

  // Device layer.
  bool InstallMiniport(const std::wstring& physicalDescription);
  void EnableVirtualAdapters(bool on);
  void UnbindProtocolFromVirtualAdapter(const std::wstring& adapterGuid);

  // Protocol and bindings.
  bool InstallProtocol(const std::wstring& physicalDescription, std::wstring& errorText);
  void LoadBindings(const std::wstring& adapterGuid, int mode, const std::wstring& filePath);
  void ApplyBindingText(const std::wstring& text, int mode);
  void UnbindProtocolFromAllAdapters();
  void BindPppoeOnly(const std::wstring& adapterGuid);

  // Service, firewall and packages.
  void AddProgramFirewallRule();
  void InstallService();
  void RemoveService();
  void RemoveDriverPackages();

 private:
  HWND progressWindow_ = nullptr;
  bool done_ = false;
  bool xp_ = false;
};
