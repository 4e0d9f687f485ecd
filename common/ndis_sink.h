// The WMI event sink of the link-status watcher: media connect and disconnect indications for the
// adapters of g_AdapterTable.
#pragma once
#include <windows.h>
#include <wbemcli.h>

#include <atomic>

class CNdisSink : public IWbemObjectSink {
 public:
  CNdisSink();  // reference count 1

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;  // deletes the sink at 0
  HRESULT STDMETHODCALLTYPE Indicate(LONG count, IWbemClassObject** objects) override;
  HRESULT STDMETHODCALLTYPE SetStatus(LONG flags, HRESULT result, BSTR param,
                                      IWbemClassObject* object) override;

  // Sinks not yet deleted, in the whole program: at stop the link lock may only go once it is 0.
  static int LiveCount() { return live_; }

 private:
  virtual ~CNdisSink();

  std::atomic<LONG> references_{1};
  static std::atomic<int> live_;
};
