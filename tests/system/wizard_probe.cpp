// The installation wizard in a computer, for its system test: the wizard's three real windows are
// driven as a user would (the adapter double-clicked, a network name typed, Next, Next, Install),
// the used-address scan runs for real over the computer's link, and the installation's steps are
// recorded in place of the devices. Prints "planned H", "host H", "used H..." and "success 0|1".
//   wizard_probe INTERFACE NETWORK-NAME
#include <winsock2.h>
#include <iphlpapi.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "adapters/inst_drv.h"
#include "adapters/address_plan.h"
#include "common/adapter_table.h"
#include "framework/message_pump.h"
#include "shell/dialog_ids.h"
#include "tests/adapters/fake_nic_operations.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"

namespace {

HWND WaitForOwnedDialog(HWND owner, int id) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      if (::GetWindow(w, GW_OWNER) == owner && ::IsWindowVisible(w) && ::GetDlgItem(w, id)) return w;
    }
    PumpMessagesFor(50);
  }
  return nullptr;
}

void ClickIn(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool FindAdapter(const wchar_t* name, IP_ADAPTER_INFO* found) {
  ULONG size = 0;
  ::GetAdaptersInfo(nullptr, &size);
  std::vector<BYTE> buffer(size ? size : 1);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (::GetAdaptersInfo(first, &size) != NO_ERROR) return false;
  char wanted[64];
  std::snprintf(wanted, sizeof wanted, "%ls", name);
  for (auto* a = first; a; a = a->Next) {
    if (std::string(a->Description) == wanted) {
      *found = *a;
      return true;
    }
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc != 3) return 2;
  WSADATA winsock;
  ::WSAStartup(MAKEWORD(2, 2), &winsock);
  IP_ADAPTER_INFO adapter = {};
  if (!FindAdapter(argv[1], &adapter)) {
    std::printf("no adapter %ls\n", argv[1]);
    return 1;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  UseBuiltInTemplates();
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  ::SetCurrentDirectoryW(folder);
  FakeNicOperations fake;
  g_AdapterTable.Add(static_cast<int32_t>(adapter.Index), argv[1], adapter.Address);
  g_AdapterTable.SetLinkFlag(argv[1], 1);  // link: the scan runs without the cable check
  const std::string guidText = adapter.AdapterName;
  const std::wstring guid(guidText.begin(), guidText.end());
  CInstDrv wizard;
  std::wstring planned;
  RunLater(500, [&] {
    HWND list = wizard.GetDlgItemHandle(IDC_INST_ADAPTER_LIST);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    wizard.m_adapterCount = 1;
    wcsncpy(wizard.m_adapters[0].description, argv[1], 511);
    wcsncpy(wizard.m_adapters[0].guid, guid.c_str(), 63);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = argv[1];
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = list;
    activate.hdr.idFrom = IDC_INST_ADAPTER_LIST;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 0;
    ::SendMessageW(wizard, WM_NOTIFY, IDC_INST_ADAPTER_LIST, reinterpret_cast<LPARAM>(&activate));
    wizard.SetDlgItemText(IDC_INST_NETWORK_NAME, argv[2]);
    planned = std::to_wstring(wizard.m_host);
    std::printf("planned %ls address %ls\n", planned.c_str(), wizard.GetDlgItemText(IDC_INST_IP).c_str());
    RunLater(300, [&] {
      HWND type = WaitForOwnedDialog(wizard, IDC_TYPE_HINT);
      if (!type) return;
      RunLater(300, [&, type] {
        HWND progress = WaitForOwnedDialog(type, IDC_PROG_PROGRESS);
        if (progress) ClickIn(progress, IDC_PROG_INSTALL);
      });
      ClickIn(type, IDC_TYPE_NEXT);
    });
    ClickIn(wizard, IDC_INST_NEXT);
  });
  RunLater(120000, [&] { if (wizard.GetSafeHwnd()) wizard.EndDialog(99); });
  wizard.DoModal();
  std::printf("host %d\nsuccess %d\n", wizard.m_host, wizard.m_success ? 1 : 0);
  for (const std::wstring& call : FakeNicOperations::calls) {
    if (call.rfind(L"static", 0) == 0 || call.rfind(L"dhcp", 0) == 0) std::printf("step %ls\n", call.c_str());
  }
  return wizard.m_success ? 0 : 1;
}
