// MyNetServType: the remote-computer dialog of the My Network page. It shows a computer's address,
// name, CPU and OS and offers file sharing, remote desktop, Wake-on-LAN, Swivo pairing and the
// file-copy program; a computer whose link is down opens in WOL mode, where the Wake-on-LAN button
// takes the Swivo button's place. The Windows service group is cut off until More is pressed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/gdip_button.h"
#include "controls/icon_button.h"
#include "framework/framework.h"

// The result the page acts on.
enum RemoteComputerResult : int32_t { kRemoteNothing = 0, kRemoteWakeUp = 1, kRemoteSwivoPaired = 2 };

// The programs the dialog starts: verb, file and parameters.
struct ShellLaunch {
  std::wstring verb;
  std::wstring file;
  std::wstring parameters;
};
ShellLaunch FileSharingLaunch(const std::wstring& ipText);
ShellLaunch RemoteDesktopLaunch(const std::wstring& ipText);
// folder: the current directory; the parameters are cut to 31 characters.
ShellLaunch FileCopyLaunch(const std::wstring& folder, const std::wstring& ipText);

class MyNetServType : public CDialog {
 public:
  static constexpr int kCollapsedCut = 90;

  explicit MyNetServType(CWnd* parent = nullptr);

  std::wstring ipText_;
  std::wstring name_;
  std::wstring cpu_;
  int16_t os_ = 0;
  bool wolMode_ = false;
  uint32_t scanPort_ = 0;
  uint32_t kmPort_ = 0;
  uint8_t* passwordBuffer_ = nullptr;
  HANDLE passwordEvent_ = nullptr;
  std::wstring folder_ = L".";  // the program folder (the pairing's settings files)

  int32_t Result() const { return result_; }
  bool Collapsed() const { return collapsed_; }

  void OnBnClickedFileSharing();
  void OnBnClickedRemoteDesktop();
  void OnBnClickedWol();
  void OnBnClickedSwivo();
  void OnBnClickedMore();
  void OnBnClickedFwk();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }

 private:
  void RaiseAndDisable();
  void Launch(const ShellLaunch& launch);
  void ApplyHeight();

  CGdipButton swivo_;
  CGdipButton wol_;
  CGdipButton more_;
  CSXButton helpWol_;
  CSXButton helpFileSharing_;
  CSXButton helpRemoteDesktop_;
  int32_t result_ = kRemoteNothing;
  bool collapsed_ = true;
  int fullWidth_ = 0;
  int fullHeight_ = 0;
};
