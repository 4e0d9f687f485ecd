// The used-address scan in a computer, for its system test and benchmark:
//   used_address_probe scan INTERFACE SUBNET   ScanUsedIps on the adapter whose description is
//                                              INTERFACE: "used H MAC" per answering host, then
//                                              "flushed 0|1", "probes N", "peak N", "ms N"
//   used_address_probe arp SOURCE DESTINATION  one SendArpProbe: "mac ..." or "error N"
//   used_address_probe flush INTERFACE         FlushIpNetTableOf its index: "flush N"
#include <winsock2.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "adapters/used_address_scan.h"
#include "platform/flush_ip_net_table.h"
#include "platform/send_arp.h"

namespace {

bool FindAdapter(const wchar_t* description, std::wstring* guid, DWORD* index) {
  ULONG size = 0;
  ::GetAdaptersInfo(nullptr, &size);
  std::vector<BYTE> buffer(size ? size : 1);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (::GetAdaptersInfo(first, &size) != NO_ERROR) return false;
  char wanted[256];
  std::snprintf(wanted, sizeof wanted, "%ls", description);
  for (auto* a = first; a; a = a->Next) {
    if (std::string(a->Description) != wanted) continue;
    std::string name = a->AdapterName;
    *guid = std::wstring(name.begin(), name.end());
    *index = a->Index;
    return true;
  }
  return false;
}

int Scan(const wchar_t* interfaceName, int subnet) {
  auto scan = std::make_unique<UsedAddressScan>();
  DWORD index = 0;
  if (!FindAdapter(interfaceName, &scan->adapterGuid, &index)) {
    std::printf("no adapter %ls\n", interfaceName);
    return 1;
  }
  scan->subnet = subnet;
  DWORD start = ::GetTickCount();
  ScanUsedIps(*scan);
  DWORD elapsed = ::GetTickCount() - start;
  for (const ProbeRecord& record : scan->records) {
    if (!record.inUse) continue;
    std::printf("used %d %02x:%02x:%02x:%02x:%02x:%02x\n", record.host, record.mac[0], record.mac[1], record.mac[2],
                record.mac[3], record.mac[4], record.mac[5]);
  }
  std::printf("flushed %d\nprobes %d\npeak %d\nms %lu\n", scan->flushed ? 1 : 0, scan->probesRun.load(),
              scan->peakRunning.load(), elapsed);
  return 0;
}

IPAddr Parse(const wchar_t* text) {
  char narrow[32];
  std::snprintf(narrow, sizeof narrow, "%ls", text);
  return ::inet_addr(narrow);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  WSADATA winsock;
  ::WSAStartup(MAKEWORD(2, 2), &winsock);
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"scan" && argc == 4) return Scan(argv[2], _wtoi(argv[3]));
  if (command == L"arp" && argc == 4) {
    BYTE mac[6] = {};
    ULONG length = 6;
    DWORD result = SendArpProbe(Parse(argv[3]), Parse(argv[2]), mac, &length);
    if (result != NO_ERROR) {
      std::printf("error %lu\n", result);
    } else {
      std::printf("mac %02x:%02x:%02x:%02x:%02x:%02x\n", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    }
    return 0;
  }
  if (command == L"flush" && argc == 3) {
    std::wstring guid;
    DWORD index = 0;
    if (!FindAdapter(argv[2], &guid, &index)) return 1;
    std::printf("flush %lu\n", FlushIpNetTableOf(index));
    return 0;
  }
  std::printf("usage: used_address_probe scan IF SUBNET | arp SRC DST | flush IF\n");
  return 2;
}
