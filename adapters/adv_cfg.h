// CAdvCfg: the Driver page's advanced configuration, for experts: a new private host number when
// the address conflicts with another computer's (ends in a restart), or new virtual MAC octets when
// the MAC does (takes effect at the next start of the operating system).
#pragma once
#include <cstdint>

#include "framework/framework.h"

class CAdvCfg : public CDialog {
 public:
  explicit CAdvCfg(CWnd* parent = nullptr);

  uint8_t m_privateIp[4] = {};
  bool m_physicalMode = false;
  bool m_routerDhcpMode = false;
  bool m_restartRequested = false;

 protected:
  BOOL OnInitDialog() override;
  // Enter and Escape close nothing here; the caption's close button does.
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  void OnBnClickedResolveIpConflict();
  void OnBnClickedResolveMacConflict();
};

// The four middle octets of the virtual MAC from "VirtualMacAddr.txt"; false (octets untouched)
// without a line of exactly four parts.
bool ReadVirtualMacOctets(uint8_t octets[4]);
