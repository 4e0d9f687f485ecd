// The watcher's WMI sink, given event objects as WMI hands them over.
#include "common/ndis_sink.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "common/adapter_table.h"
#include "common/link_lock.h"

namespace {

// An event object that answers Get from a table of text properties; a property missing from the
// table fails the read, as for an object that has no such property.
using Properties = std::map<std::wstring, std::wstring>;

class EventObject : public IWbemClassObject {
 public:
  explicit EventObject(Properties properties) : properties_(std::move(properties)) {}

  HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE*, LONG*) override {
    auto it = properties_.find(name);
    if (it == properties_.end()) return WBEM_E_NOT_FOUND;
    VariantInit(value);
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocString(it->second.c_str());
    return WBEM_S_NO_ERROR;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetQualifierSet(IWbemQualifierSet**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Put(LPCWSTR, LONG, VARIANT*, CIMTYPE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BeginEnumeration(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Next(LONG, BSTR*, VARIANT*, CIMTYPE*, LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EndEnumeration() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IWbemClassObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetObjectText(LONG, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SpawnDerivedClass(LONG, IWbemClassObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SpawnInstance(LONG, IWbemClassObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CompareTo(LONG, IWbemClassObject*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPropertyOrigin(LPCWSTR, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InheritsFrom(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMethod(LPCWSTR, LONG, IWbemClassObject**, IWbemClassObject**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DeleteMethod(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BeginMethodEnumeration(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE NextMethod(LONG, BSTR*, IWbemClassObject**, IWbemClassObject**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EndMethodEnumeration() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMethodOrigin(LPCWSTR, BSTR*) override { return E_NOTIMPL; }

 private:
  Properties properties_;
};

EventObject Connect(const wchar_t* adapter) {
  return EventObject(Properties{{L"__CLASS", L"MSNdis_StatusMediaConnect"}, {L"InstanceName", adapter}});
}
EventObject Disconnect(const wchar_t* adapter) {
  return EventObject(Properties{{L"__CLASS", L"MSNdis_StatusMediaDisconnect"}, {L"InstanceName", adapter}});
}

class NdisSinkTest : public testing::Test {
 protected:
  void SetUp() override {
    g_AdapterTable.Clear();
    const uint8_t mac[6] = {};
    for (const wchar_t* name : {L"LAN A", L"LAN B", L"LAN A"}) g_AdapterTable.Add(3, name, mac);
    CreateLinkLock();
    sink_ = new CNdisSink();
  }
  void TearDown() override {
    sink_->Release();
    DeleteLinkLock();
    g_AdapterTable.Clear();
  }
  std::array<int, 3> Links() const {
    return {g_AdapterTable.Entry(0).link, g_AdapterTable.Entry(1).link, g_AdapterTable.Entry(2).link};
  }
  CNdisSink* sink_ = nullptr;
};

TEST_F(NdisSinkTest, IndicationsSetTheLinkBytesOfTheFirstMatch) {
  struct Case {
    const char* what;
    std::vector<EventObject> objects;
    std::array<int, 3> links;  // after the call, starting from all 0
  };
  const EventObject unclassed(Properties{{L"InstanceName", L"LAN B"}});
  const EventObject otherClass(Properties{{L"__CLASS", L"MSNdis_StatusMediaSpecificIndication"}, {L"InstanceName", L"LAN B"}});
  const EventObject prefixOfClass(Properties{{L"__CLASS", L"MSNdis_StatusMediaConnectX"}, {L"InstanceName", L"LAN B"}});
  const EventObject nameless(Properties{{L"__CLASS", L"MSNdis_StatusMediaConnect"}});
  Case cases[] = {
      {"connect", {Connect(L"LAN A")}, {1, 0, 0}},
      {"connect then disconnect", {Connect(L"LAN B"), Disconnect(L"LAN B")}, {0, 0, 0}},
      {"two adapters", {Connect(L"LAN B"), Connect(L"LAN A")}, {1, 1, 0}},
      {"unknown adapter", {Connect(L"LAN C"), Connect(L"lan a")}, {0, 0, 0}},
      {"other classes are skipped", {otherClass, prefixOfClass, Connect(L"LAN A")}, {1, 0, 0}},
      {"no instance name is skipped", {nameless, Connect(L"LAN B")}, {0, 1, 0}},
      {"no class ends the batch", {unclassed, Connect(L"LAN B")}, {0, 0, 0}},
  };
  for (Case& c : cases) {
    for (int i = 0; i < 3; ++i) g_AdapterTable.Entry(i).link = 0;
    std::vector<IWbemClassObject*> objects;
    for (EventObject& o : c.objects) objects.push_back(&o);
    EXPECT_EQ(sink_->Indicate(static_cast<LONG>(objects.size()), objects.data()), WBEM_S_NO_ERROR) << c.what;
    EXPECT_EQ(Links(), c.links) << c.what;
  }
  EXPECT_EQ(sink_->Indicate(0, nullptr), WBEM_S_NO_ERROR);
  EXPECT_EQ(sink_->SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_CALL_CANCELLED, nullptr, nullptr), WBEM_S_NO_ERROR);
}

TEST_F(NdisSinkTest, AnswersOnlyForItsTwoInterfaces) {
  struct Case {
    const IID& iid;
    bool accepted;
  };
  const Case cases[] = {
      {IID_IUnknown, true},           {IID_IWbemObjectSink, true}, {IID_IDispatch, false},
      {IID_IWbemClassObject, false},  {IID_IMarshal, false},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    HRESULT hr = sink_->QueryInterface(c.iid, &object);
    if (c.accepted) {
      EXPECT_EQ(hr, S_OK);
      EXPECT_EQ(object, static_cast<IWbemObjectSink*>(sink_));
      EXPECT_EQ(sink_->Release(), 1u) << "the answer carries one reference";
    } else {
      EXPECT_EQ(hr, E_NOINTERFACE);
      EXPECT_EQ(object, nullptr);
    }
  }
  EXPECT_EQ(sink_->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(NdisSink, GoesWithItsLastReference) {
  int before = CNdisSink::LiveCount();
  auto* sink = new CNdisSink();
  EXPECT_EQ(CNdisSink::LiveCount(), before + 1);
  EXPECT_EQ(sink->AddRef(), 2u);
  EXPECT_EQ(sink->Release(), 1u);
  EXPECT_EQ(CNdisSink::LiveCount(), before + 1);
  EXPECT_EQ(sink->Release(), 0u);
  EXPECT_EQ(CNdisSink::LiveCount(), before);
}

TEST(NdisSink, IndicationsWithoutTheLinkLockChangeNothing) {
  g_AdapterTable.Clear();
  const uint8_t mac[6] = {};
  g_AdapterTable.Add(1, L"LAN A", mac);
  ASSERT_FALSE(LinkLockCreated());
  auto* sink = new CNdisSink();
  EventObject connect = Connect(L"LAN A");
  IWbemClassObject* objects[] = {&connect};
  sink->Indicate(1, objects);
  EXPECT_EQ(g_AdapterTable.GetLinkFlag(L"LAN A"), 0);
  sink->Release();
  g_AdapterTable.Clear();
}

}  // namespace
