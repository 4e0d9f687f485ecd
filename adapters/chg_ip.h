// CChgIp: a new last octet of the private address, set on the private virtual adapter (in Dual-LAN
// mode, which has none, on the physical adapter). "PrivateIp.txt" is rewritten only once the
// adapter really holds the new address, so that the file never names an address nobody has.
#pragma once
#include <cstdint>
#include <string>

#include "framework/framework.h"

class CChgIp : public CDialog {
 public:
  explicit CChgIp(CWnd* parent = nullptr);

  uint8_t m_oldIp[4] = {};
  bool m_physicalMode = false;  // Dual-LAN: the address sits on the physical adapter

  const std::wstring& AdapterGuid() const { return adapterGuid_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override { EndDialog(-1); }

 private:
  void OnBnClickedResetToDefault();
  void Refuse(const char* textKey);

  std::wstring adapterGuid_;
  bool xp_ = false;
};
