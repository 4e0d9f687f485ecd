// CInstDrv: the installation wizard's first step. The user picks the physical adapter (wired or
// wireless) and a network name; the step derives the private address 192.168.S.H and the virtual
// MAC, which the later steps read through their pointer to it.
#pragma once
#include <cstdint>
#include <memory>

#include "adapters/net_devices.h"
#include "adapters/nic_installer.h"
#include "controls/icon_button.h"
#include "framework/framework.h"

class CInstDrv : public CDialog {
 public:
  explicit CInstDrv(CWnd* parent = nullptr);
  ~CInstDrv() override;

  // The plan.
  AdapterRecord m_adapters[kMaxPhysicalAdapters] = {};
  int m_adapterCount = 0;
  int m_selected = -1;
  bool m_adapterChosen = false;
  bool m_wireless = false;
  uint8_t m_physicalMac[6] = {};
  uint8_t m_virtualMac[6] = {};
  int m_subnet = 0;
  int m_host = 1;
  bool m_success = false;
  std::unique_ptr<CNicInstaller> m_installer;
  bool m_xp = false;
  bool m_vista = false;

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnOK() override {}  // Enter does not end the wizard

 private:
  void OnEnChangeNetworkName();
  void OnNMDblclkAdapterList(NMHDR* header);
  void OnBnClickedWired();
  void OnBnClickedWireless();
  void OnBnClickedNext();
  void OnBnClickedChangeMac();
  void OnBnClickedForceSubnet();
  void SwitchKind(bool wireless);
  void FillAdapterList();
  void ApplyHostAndMacRule();
  void ShowAddress();
  void ShowMessage(const char* captionKey, const char* textKey);

  CListCtrl adapterList_;
  CSXButton forceSubnet_;
  HWND tooltip_ = nullptr;
  RECT helpRect_ = {};
  RECT groupRect_ = {};
  bool nextLocked_ = false;  // a duplicated name on XP: this run cannot install
};
