// Fills the adapter table from Win32_NetworkAdapter through WMI's scripting interface.
#include "common/adapter_table_wmi.h"

#include <windows.h>
#include <wbemdisp.h>

#include "common/com_ref.h"
#include "common/mac_text.h"
#include "platform/adapter_description.h"

namespace {

constexpr long kEthernet8023 = 0;

// One property of a WMI object; false on any WMI error.
bool ReadProperty(ISWbemPropertySet* properties, const wchar_t* name, Variant& value) {
  ComRef<ISWbemProperty> property;
  if (FAILED(properties->Item(Bstr(name), 0, property.Out()))) return false;
  return SUCCEEDED(property->get_Value(value.Out()));
}

// Reads one Win32_NetworkAdapter object into the table when it is an Ethernet adapter; false on a
// WMI error, which ends the enumeration.
bool AddWhenEthernet(AdapterTable& table, IDispatch* item) {
  ComRef<ISWbemObject> object;
  if (FAILED(item->QueryInterface(IID_ISWbemObject, object.OutVoid()))) return false;
  ComRef<ISWbemPropertySet> properties;
  if (FAILED(object->get_Properties_(properties.Out()))) return false;

  Variant type;
  if (!ReadProperty(properties.Get(), L"AdapterTypeID", type)) return false;
  if (type->vt != VT_I4 || type->lVal != kEthernet8023) return true;
  if (table.Count() >= AdapterTable::kMaxEntries) return true;

  Variant index, name, macText;
  if (!ReadProperty(properties.Get(), L"Index", index)) return false;
  if (!ReadProperty(properties.Get(), L"Name", name)) return false;
  if (!ReadProperty(properties.Get(), L"MACAddress", macText)) return false;

  AddWmiAdapter(table, index, name, macText);
  return true;
}

}  // namespace

void AddWmiAdapter(AdapterTable& table, const Variant& index, const Variant& name, const Variant& macAddress) {
  int32_t indexValue = 0;
  index.ToInt32(&indexValue);
  const wchar_t* nameText = name->vt == VT_BSTR && name->bstrVal ? name->bstrVal : L"";
  // Looked up by the adapter's description, which Wine gives only as the Linux interface's name.
  wchar_t described[132];
  if (FillInAdapterDescription(nameText, described, 132)) nameText = described;
  // An adapter without a MAC address (WMI gives NULL) stays in the table with six zeros.
  uint8_t mac[6] = {};
  if (macAddress->vt == VT_BSTR && macAddress->bstrVal) {
    ParseMacAddressText(mac, std::wstring_view(macAddress->bstrVal, ::SysStringLen(macAddress->bstrVal)));
  }
  table.Add(indexValue, nameText, mac);
}

void AdapterTable::EnumerateWmi() {
  Clear();
  ComRef<ISWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_SWbemLocator, nullptr, CLSCTX_ALL, IID_ISWbemLocator,
                              locator.OutVoid()))) {
    return;
  }
  Bstr empty(L"");
  ComRef<ISWbemServices> services;
  if (FAILED(locator->ConnectServer(Bstr(L"."), Bstr(L"root\\cimv2"), empty, empty, empty, empty, 0,
                                    nullptr, services.Out()))) {
    return;
  }
  ComRef<ISWbemObjectSet> adapters;
  if (FAILED(services->ExecQuery(Bstr(L"Select * from Win32_NetworkAdapter"), Bstr(L"WQL"),
                                 wbemFlagReturnImmediately, nullptr, adapters.Out()))) {
    return;
  }
  ComRef<IUnknown> enumeratorUnknown;
  if (FAILED(adapters->get__NewEnum(enumeratorUnknown.Out()))) return;
  ComRef<IEnumVARIANT> enumerator;
  if (FAILED(enumeratorUnknown->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid()))) return;

  for (;;) {
    Variant item;
    ULONG fetched = 0;
    if (enumerator->Next(1, item.Out(), &fetched) != S_OK || fetched == 0) break;
    if (item->vt != VT_DISPATCH || !item->pdispVal) break;
    if (!AddWhenEthernet(*this, item->pdispVal)) break;
  }
}
