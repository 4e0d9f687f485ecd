// CChgMac: octets 2 to 5 of a virtual MAC of the form 02-xx-xx-xx-xx-NN, opened by the advanced
// configuration and by the installation wizard. It ends with 0 and the four octets on OK.
#pragma once
#include <cstdint>

#include "framework/framework.h"

class CChgMac : public CDialog {
 public:
  explicit CChgMac(CWnd* parent = nullptr);

  uint8_t m_oldMac[6] = {};
  uint8_t m_newOctets[4] = {};  // bytes 2 to 5, set by OK

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override { EndDialog(-1); }

 private:
  void OnBnClickedResetToDefault();
};
