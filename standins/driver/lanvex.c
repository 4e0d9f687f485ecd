/* lanvex.sys: the virtual miniport's kernel half. It takes every device of hardware id QVXMINIP
 * (AddDevice, START_DEVICE, REMOVE_DEVICE), names it on the network with a configuration GUID that
 * it writes into the device's driver key, and offers the control devices \\.\LANVEXN6 and
 * \\.\LANVEXN5.
 *
 * Why the GUID is chosen here: the installer reads "NetCfgInstanceId" as soon as
 * UpdateDriverForPlugAndPlayDevicesW returns, and Wine adds the device (AddDevice, START_DEVICE)
 * inside that call. The GUID is "{XXXXXXXX-0000-0000-0000-4E6574446576}" with XXXXXXXX the Linux
 * interface index that the device's interface will get: Wine names an adapter so after its ifindex,
 * and remembers an ifindex's name and MAC until its server restarts, so an index is never given
 * twice (a counter in the service's Parameters key). The Linux interface itself is made by the
 * user-mode link service (lanvex_link.exe), which can start Linux programs; this driver cannot.
 *
 * The control devices' I/O control codes are answered in lanvex_control.c. */
#include <ntddk.h>

#include "lanvex_control.h"

#define LANVEX_FIRST_INDEX 0x1000 /* far above what a namespace gives its own interfaces */

static const WCHAR kControlNames[2][2][32] = {
    {L"\\Device\\LANVEXN6", L"\\DosDevices\\LANVEXN6"},
    {L"\\Device\\LANVEXN5", L"\\DosDevices\\LANVEXN5"},
};

typedef struct {
  BOOLEAN isControl;
  PDEVICE_OBJECT lower; /* the PDO's stack below a miniport's FDO */
} LANVEX_EXTENSION;

static UNICODE_STRING g_parametersPath; /* the service key's Parameters */
static WCHAR g_parametersBuffer[260];

static VOID CopyText(WCHAR* to, const WCHAR* from, USHORT capacity) {
  USHORT i = 0;
  while (i + 1 < capacity && from[i]) {
    to[i] = from[i];
    ++i;
  }
  to[i] = 0;
}

static VOID HexDigits(WCHAR* to, ULONG value) {
  static const WCHAR digits[] = L"0123456789ABCDEF";
  int i;
  for (i = 7; i >= 0; --i) {
    to[i] = digits[value & 0xF];
    value >>= 4;
  }
}

/* Takes the next interface index from the Parameters key and counts it as given. */
static NTSTATUS TakeInterfaceIndex(ULONG* index) {
  OBJECT_ATTRIBUTES attributes;
  HANDLE key;
  UNICODE_STRING valueName;
  UCHAR buffer[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + sizeof(ULONG)];
  ULONG got = 0, next = LANVEX_FIRST_INDEX;
  NTSTATUS status;

  InitializeObjectAttributes(&attributes, &g_parametersPath, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
  status = ZwCreateKey(&key, KEY_ALL_ACCESS, &attributes, 0, NULL, REG_OPTION_NON_VOLATILE, NULL);
  if (!NT_SUCCESS(status)) return status;
  RtlInitUnicodeString(&valueName, L"NextInterfaceIndex");
  if (NT_SUCCESS(ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, buffer, sizeof buffer, &got))) {
    KEY_VALUE_PARTIAL_INFORMATION* info = (KEY_VALUE_PARTIAL_INFORMATION*)buffer;
    if (info->Type == REG_DWORD && info->DataLength == sizeof(ULONG)) next = *(ULONG*)info->Data;
  }
  if (next < LANVEX_FIRST_INDEX || next >= 0x7FFFFFFF) next = LANVEX_FIRST_INDEX;
  *index = next;
  ++next;
  status = ZwSetValueKey(key, &valueName, 0, REG_DWORD, &next, sizeof next);
  ZwClose(key);
  return status;
}

/* Writes "NetCfgInstanceId" into the device's driver key unless it has one (a device that was
 * added before keeps its GUID across restarts of the prefix). */
static NTSTATUS NameOnNetwork(PDEVICE_OBJECT pdo) {
  HANDLE key;
  UNICODE_STRING valueName;
  UCHAR probe[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + 128];
  ULONG got = 0, index = 0;
  WCHAR guid[] = L"{XXXXXXXX-0000-0000-0000-4E6574446576}";
  NTSTATUS status = IoOpenDeviceRegistryKey(pdo, PLUGPLAY_REGKEY_DRIVER, KEY_ALL_ACCESS, &key);
  if (!NT_SUCCESS(status)) return status;
  RtlInitUnicodeString(&valueName, L"NetCfgInstanceId");
  status = ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, probe, sizeof probe, &got);
  if (!NT_SUCCESS(status)) {
    status = TakeInterfaceIndex(&index);
    if (NT_SUCCESS(status)) {
      HexDigits(guid + 1, index);
      status = ZwSetValueKey(key, &valueName, 0, REG_SZ, guid, sizeof guid);
    }
  }
  ZwClose(key);
  return status;
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
  ULONG_PTR information = 0;
  NTSTATUS status;
  if (!((LANVEX_EXTENSION*)device->DeviceExtension)->isControl) return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
  status = LanvexControlRequest(irp, IoGetCurrentIrpStackLocation(irp), &information);
  return Complete(irp, status, information);
}

static NTSTATUS DispatchPnp(PDEVICE_OBJECT device, PIRP irp) {
  LANVEX_EXTENSION* extension = (LANVEX_EXTENSION*)device->DeviceExtension;
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  PDEVICE_OBJECT lower = extension->lower;
  NTSTATUS status;
  if (extension->isControl || !lower) return Complete(irp, irp->IoStatus.Status, irp->IoStatus.Information);

  switch (stack->MinorFunction) {
    case IRP_MN_START_DEVICE:
    case IRP_MN_QUERY_REMOVE_DEVICE:
    case IRP_MN_CANCEL_REMOVE_DEVICE:
    case IRP_MN_SURPRISE_REMOVAL:
    case IRP_MN_QUERY_STOP_DEVICE:
    case IRP_MN_CANCEL_STOP_DEVICE:
    case IRP_MN_STOP_DEVICE:
      irp->IoStatus.Status = STATUS_SUCCESS;
      break;
    case IRP_MN_REMOVE_DEVICE:
      irp->IoStatus.Status = STATUS_SUCCESS;
      IoSkipCurrentIrpStackLocation(irp);
      status = IoCallDriver(lower, irp);
      IoDetachDevice(lower);
      IoDeleteDevice(device);
      return status;
    default:
      break;
  }
  IoSkipCurrentIrpStackLocation(irp);
  return IoCallDriver(lower, irp);
}

static NTSTATUS AddDevice(PDRIVER_OBJECT driver, PDEVICE_OBJECT pdo) {
  PDEVICE_OBJECT fdo;
  LANVEX_EXTENSION* extension;
  NTSTATUS status = IoCreateDevice(driver, sizeof(LANVEX_EXTENSION), NULL, FILE_DEVICE_NETWORK, 0, FALSE, &fdo);
  if (!NT_SUCCESS(status)) return status;
  extension = (LANVEX_EXTENSION*)fdo->DeviceExtension;
  extension->isControl = FALSE;
  extension->lower = IoAttachDeviceToDeviceStack(fdo, pdo);
  if (!extension->lower) {
    IoDeleteDevice(fdo);
    return STATUS_NO_SUCH_DEVICE;
  }
  /* A device without its GUID would be invisible to the installer: refuse it rather. */
  status = NameOnNetwork(pdo);
  if (!NT_SUCCESS(status)) {
    IoDetachDevice(extension->lower);
    IoDeleteDevice(fdo);
    return status;
  }
  fdo->Flags &= ~DO_DEVICE_INITIALIZING;
  return STATUS_SUCCESS;
}

static NTSTATUS CreateControlDevice(PDRIVER_OBJECT driver, const WCHAR* deviceName, const WCHAR* linkName) {
  UNICODE_STRING device, link;
  PDEVICE_OBJECT object;
  NTSTATUS status;
  RtlInitUnicodeString(&device, deviceName);
  RtlInitUnicodeString(&link, linkName);
  status = IoCreateDevice(driver, sizeof(LANVEX_EXTENSION), &device, FILE_DEVICE_UNKNOWN, 0, FALSE, &object);
  if (!NT_SUCCESS(status)) return status;
  ((LANVEX_EXTENSION*)object->DeviceExtension)->isControl = TRUE;
  ((LANVEX_EXTENSION*)object->DeviceExtension)->lower = NULL;
  status = IoCreateSymbolicLink(&link, &device);
  if (!NT_SUCCESS(status)) {
    IoDeleteDevice(object);
    return status;
  }
  object->Flags &= ~DO_DEVICE_INITIALIZING;
  return STATUS_SUCCESS;
}

static VOID Unload(PDRIVER_OBJECT driver) {
  int i;
  LanvexControlStop(driver);
  for (i = 0; i < 2; ++i) {
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, kControlNames[i][1]);
    IoDeleteSymbolicLink(&link);
  }
  while (driver->DeviceObject) IoDeleteDevice(driver->DeviceObject);
}

NTSTATUS WINAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  static const WCHAR kParameters[] = L"\\Parameters";
  USHORT length;
  NTSTATUS status;
  BOOLEAN ownsControl = FALSE;
  int i;
  /* The control code imports kernel32, and Wine then calls the entry point once more as a DllMain
   * (module, reason 0..3, reserved) when it loads the file: that call only has to succeed. */
  if ((ULONG_PTR)registryPath <= 3) return TRUE;
  length = registryPath->Length / sizeof(WCHAR);
  if (length + sizeof kParameters / sizeof(WCHAR) > sizeof g_parametersBuffer / sizeof(WCHAR))
    return STATUS_NAME_TOO_LONG;
  RtlCopyMemory(g_parametersBuffer, registryPath->Buffer, registryPath->Length);
  CopyText(g_parametersBuffer + length, kParameters, sizeof kParameters / sizeof(WCHAR));
  RtlInitUnicodeString(&g_parametersPath, g_parametersBuffer);

  driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
  driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;
  driver->MajorFunction[IRP_MJ_PNP] = DispatchPnp;
  driver->DriverExtension->AddDevice = AddDevice;
  driver->DriverUnload = Unload;
  for (i = 0; i < 2; ++i) {
    status = CreateControlDevice(driver, kControlNames[i][0], kControlNames[i][1]);
    /* The protocol's service loads this same file: the miniport's instance owns the devices. */
    if (status == STATUS_OBJECT_NAME_COLLISION) continue;
    if (!NT_SUCCESS(status)) {
      Unload(driver);
      return status;
    }
    ownsControl = TRUE;
  }
  if (ownsControl) LanvexControlStart(driver);
  return STATUS_SUCCESS;
}
