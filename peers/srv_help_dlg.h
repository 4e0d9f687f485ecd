// CSrvHelp: the help box of the remote-computer and computer-list dialogs: a title, a help text
// and a Setting button that opens the matching Windows settings.
#pragma once
#include <string>

#include "controls/icon_button.h"
#include "framework/framework.h"

enum SrvHelpTarget : int32_t {
  kSettingNone = -1,
  kSettingSharingCentre = 0,
  kSettingRemote = 1,
  kSettingConnections = 2,
};

// What the Setting button starts: file and parameters; false for a target without one.
bool SrvHelpSettingCommand(int32_t target, bool windowsXp, std::wstring* file, std::wstring* parameters);

class CSrvHelp : public CDialog {
 public:
  explicit CSrvHelp(CWnd* parent = nullptr);
  std::wstring title_;
  std::wstring text_;
  bool showSetting_ = true;
  int32_t target_ = kSettingNone;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnBnClickedSetting();

 private:
  CSXButton setting_;
};

// The help boxes of the remote-computer dialog's buttons (title and help keys of text zone 10).
void RunSrvHelp(CWnd* parent, const wchar_t* title, const wchar_t* text, bool showSetting, int32_t target);
