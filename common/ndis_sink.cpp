#include "common/ndis_sink.h"

#include <cwchar>

#include "common/com_ref.h"
#include "common/link_lock.h"

std::atomic<int> CNdisSink::live_{0};

CNdisSink::CNdisSink() { ++live_; }

CNdisSink::~CNdisSink() { --live_; }

HRESULT STDMETHODCALLTYPE CNdisSink::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IWbemObjectSink)) {
    *object = static_cast<IWbemObjectSink*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CNdisSink::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE CNdisSink::Release() {
  LONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE CNdisSink::Indicate(LONG count, IWbemClassObject** objects) {
  for (LONG i = 0; i < count && objects; ++i) {
    IWbemClassObject* object = objects[i];
    if (!object) break;
    Variant className;
    if (FAILED(object->Get(L"__CLASS", 0, className.Out(), nullptr, nullptr))) break;
    if (className->vt != VT_BSTR || !className->bstrVal) continue;
    uint8_t link;
    if (std::wcscmp(className->bstrVal, L"MSNdis_StatusMediaConnect") == 0) {
      link = 1;
    } else if (std::wcscmp(className->bstrVal, L"MSNdis_StatusMediaDisconnect") == 0) {
      link = 0;
    } else {
      continue;
    }
    Variant instanceName;
    if (FAILED(object->Get(L"InstanceName", 0, instanceName.Out(), nullptr, nullptr))) continue;
    if (instanceName->vt != VT_BSTR || !instanceName->bstrVal) continue;
    SetLinkFlagUnderLinkLock(instanceName->bstrVal, link);
  }
  return WBEM_S_NO_ERROR;
}

HRESULT STDMETHODCALLTYPE CNdisSink::SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*) {
  return WBEM_S_NO_ERROR;
}
