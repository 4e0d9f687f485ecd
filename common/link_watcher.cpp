// Start and stop of the link-status watcher: WMI's NDIS media events when the system has them,
// the carrier fill-in when it does not.
#include "common/link_watcher.h"

#include <windows.h>
#include <wbemcli.h>

#include <memory>
#include <string>
#include <vector>

#include "common/adapter_table.h"
#include "common/com_ref.h"
#include "common/link_lock.h"
#include "common/ndis_sink.h"
#include "platform/ndis_media_status.h"

namespace {

ComRef<IWbemLocator> g_wmiLocator;
ComRef<IWbemServices> g_wmiServices;
CNdisSink* g_NdisSink = nullptr;
std::unique_ptr<CarrierMediaStatus> g_carrierStatus;
bool g_watcherRunning = false;

// How long stop waits for WMI to let go of a cancelled sink before it gives up on the lock.
constexpr int kSinkReleaseWaitMs = 2000;

std::vector<std::wstring> TableNames() {
  std::vector<std::wstring> names;
  for (int i = 0; i < g_AdapterTable.Count(); ++i) names.emplace_back(g_AdapterTable.Entry(i).Name);
  return names;
}

void IndicateUnderLinkLock(const wchar_t* name, uint8_t link) { SetLinkFlagUnderLinkLock(name, link); }

}  // namespace

int QueryMediaConnectStatus(IWbemServices* services) {
  if (!services) return -1;
  ComRef<IEnumWbemClassObject> statuses;
  if (FAILED(services->ExecQuery(Bstr(L"WQL"), Bstr(L"SELECT * FROM MSNdis_MediaConnectStatus"),
                                 WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                 statuses.Out()))) {
    return -1;
  }
  bool anyObject = false;
  for (;;) {
    ComRef<IWbemClassObject> status;
    ULONG returned = 0;
    HRESULT hr = statuses->Next(WBEM_INFINITE, 1, status.Out(), &returned);
    // A query that was accepted at once but fails on its first object could not be made.
    if (FAILED(hr)) return anyObject ? 0 : -1;
    if (returned == 0) break;
    anyObject = true;
    Variant instanceName;
    if (FAILED(status->Get(L"InstanceName", 0, instanceName.Out(), nullptr, nullptr))) continue;
    if (instanceName->vt != VT_BSTR || !instanceName->bstrVal) continue;
    int entry = g_AdapterTable.Find(instanceName->bstrVal);
    if (entry < 0) continue;
    Variant connectStatus;
    if (FAILED(status->Get(L"NdisMediaConnectStatus", 0, connectStatus.Out(), nullptr, nullptr))) continue;
    int32_t value = -1;
    if (!connectStatus.ToInt32(&value)) continue;
    // No event can arrive yet: the byte is written without the lock.
    if (value == 0) g_AdapterTable.Entry(entry).link = 1;
  }
  return 0;
}

int SubscribeMediaEvents(CNdisSink* sink, IWbemServices* services) {
  if (!sink || !services) return -1;
  if (QueryMediaConnectStatus(services) != 0) {
    CarrierMediaStatus carrier;
    // As with the query's answers, no event can arrive yet.
    carrier.IndicatePresent(TableNames(), [](const wchar_t* name, uint8_t link) {
      g_AdapterTable.SetLinkFlag(name, link);
    });
  }
  HRESULT connect = services->ExecNotificationQueryAsync(
      Bstr(L"WQL"), Bstr(L"SELECT * FROM MSNdis_StatusMediaConnect"), 0, nullptr, sink);
  HRESULT disconnect = services->ExecNotificationQueryAsync(
      Bstr(L"WQL"), Bstr(L"SELECT * FROM MSNdis_StatusMediaDisconnect"), 0, nullptr, sink);
  return SUCCEEDED(connect) && SUCCEEDED(disconnect) ? 0 : -1;
}

int StartLinkDetection() {
  if (g_watcherRunning) return 0;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              g_wmiLocator.OutVoid()))) {
    return -1;
  }
  if (FAILED(g_wmiLocator->ConnectServer(Bstr(L"ROOT\\WMI"), nullptr, nullptr, nullptr, 0, nullptr,
                                         nullptr, g_wmiServices.Out()))) {
    StopLinkDetection();
    return -1;
  }
  g_NdisSink = new (std::nothrow) CNdisSink();
  if (!g_NdisSink) {
    StopLinkDetection();
    return -1;
  }
  CreateLinkLock();
  if (SubscribeMediaEvents(g_NdisSink, g_wmiServices.Get()) != 0) {
    // Without the events (Wine has no NDIS classes) the carrier state stands in for them.
    g_wmiServices->CancelAsyncCall(g_NdisSink);
    g_carrierStatus = std::make_unique<CarrierMediaStatus>();
    if (!g_carrierStatus->Start(TableNames(), IndicateUnderLinkLock)) {
      StopLinkDetection();
      return -1;
    }
  }
  g_watcherRunning = true;
  return 0;
}

void StopLinkDetection() {
  g_watcherRunning = false;
  if (g_carrierStatus) {
    g_carrierStatus->Stop();
    g_carrierStatus.reset();
  }
  if (g_NdisSink) {
    if (g_wmiServices) g_wmiServices->CancelAsyncCall(g_NdisSink);
    g_NdisSink->Release();
    g_NdisSink = nullptr;
  }
  g_wmiServices.Reset();
  g_wmiLocator.Reset();
  // WMI may still hold the sink for a moment after the cancel; while it does, the sink may still
  // take the lock, so the lock stays rather than go from under it.
  for (int waited = 0; CNdisSink::LiveCount() > 0 && waited < kSinkReleaseWaitMs; waited += 10) Sleep(10);
  if (CNdisSink::LiveCount() == 0) DeleteLinkLock();
}

bool LinkDetectionRunning() { return g_watcherRunning; }
