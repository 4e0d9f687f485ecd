// CChgStaticIp: a static address, gateway and DNS server for one of the product's virtual
// adapters, opened by the Routing page in the two static environments. The combo's entries map to
// their records by entry number, never by the address text, which two adapters may share.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/address_dialog_rules.h"
#include "adapters/adapter_records.h"
#include "framework/framework.h"

class CChgStaticIp : public CDialog {
 public:
  explicit CChgStaticIp(CWnd* parent = nullptr);

  // Given by the Routing page before DoModal.
  uint8_t m_privateIp[4] = {};
  std::wstring m_cloneGuid;  // virtual adapter 0, "CloneAdaptGuidName.txt"
  bool m_staticOnly = false;

  // What the tests read.
  const std::wstring& ChosenGuid() const { return chosenGuid_; }
  bool GatewayDisabled() const { return gatewayDisabled_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override { EndDialog(0); }

 private:
  void OnCbnSelchangeAdapter();
  void OnBnClickedDisableGateway();
  void FollowThirdOctet(UINT edited, UINT other);
  void EnableGatewayFields(bool enable);
  void ShowGatewayDisabled();
  void ShowGatewayEnabled(const std::wstring& octet3, const std::wstring& octet4);
  bool OctetsValid() const;

  IpAdapterRecord records_[kMaxAdapterRecords] = {};
  uint32_t recordCount_ = 0;
  std::vector<StaticAdapterEntry> entries_;
  std::wstring chosenGuid_;
  bool gatewayDisabled_ = false;
  bool following_ = false;
};
