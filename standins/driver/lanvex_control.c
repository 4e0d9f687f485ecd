/* The control devices' requests: every one of the eight codes goes to the flow helper
 * (lanvex_flows, a Linux program) through the exchange folder C:\windows\lanvex, and its reply,
 * cut to the caller's buffer, comes back as the request's output.
 *
 * Why a driver calls kernel32 here: under Wine a driver runs inside winedevice.exe, an ordinary
 * process, so it can start the Linux helper with CreateProcessW and use files like any program.
 * The helper starts when the driver loads and is told to stop when it unloads. */
#include <ntddk.h>

#include "lanvex_control.h"

typedef int BOOLINT;
__declspec(dllimport) BOOLINT __stdcall CreateProcessW(const WCHAR*, WCHAR*, void*, void*, BOOLINT, ULONG, void*,
                                                       const WCHAR*, void*, void*);
__declspec(dllimport) BOOLINT __stdcall CreateDirectoryW(const WCHAR*, void*);
__declspec(dllimport) HANDLE __stdcall CreateFileW(const WCHAR*, ULONG, ULONG, void*, ULONG, ULONG, HANDLE);
__declspec(dllimport) BOOLINT __stdcall WriteFile(HANDLE, const void*, ULONG, ULONG*, void*);
__declspec(dllimport) BOOLINT __stdcall ReadFile(HANDLE, void*, ULONG, ULONG*, void*);
__declspec(dllimport) BOOLINT __stdcall CloseHandle(HANDLE);
__declspec(dllimport) BOOLINT __stdcall MoveFileExW(const WCHAR*, const WCHAR*, ULONG);
__declspec(dllimport) BOOLINT __stdcall DeleteFileW(const WCHAR*);
__declspec(dllimport) ULONG __stdcall GetFileAttributesW(const WCHAR*);
__declspec(dllimport) void __stdcall Sleep(ULONG);
__declspec(dllimport) ULONG __stdcall GetTickCount(void);
__declspec(dllimport) void* __stdcall GetModuleHandleW(const WCHAR*);
__declspec(dllimport) void* __stdcall GetProcAddress(void*, const char*);

#define LANVEX_GENERIC_READ 0x80000000u
#define LANVEX_GENERIC_WRITE 0x40000000u
#define LANVEX_DELETE 0x00010000u
#define LANVEX_DELETE_ON_CLOSE 0x04000000u
#define LANVEX_CREATE_ALWAYS 2
#define LANVEX_OPEN_EXISTING 3
#define LANVEX_INVALID_ATTRIBUTES 0xFFFFFFFFu
#define LANVEX_MOVE_REPLACE 1
#define LANVEX_CREATE_NO_WINDOW 0x08000000u
#define LANVEX_REPLY_WAIT_MS 5000
#define LANVEX_REPLY_MIN_LOOKS 2000
#define LANVEX_START_WAIT_MS 10000
#define LANVEX_MAX_REPLY (1u << 20)

static const WCHAR kFolder[] = L"C:\\windows\\lanvex";
static const WCHAR kRequestTemporary[] = L"C:\\windows\\lanvex\\request.tmp";
static const WCHAR kRequest[] = L"C:\\windows\\lanvex\\request";
static const WCHAR kHelperPid[] = L"C:\\windows\\lanvex\\helper.pid";
static const WCHAR kHelper[] = L"C:\\windows\\system32\\lanvex_flows";

static KMUTEX g_requestLock;
static ULONG g_sequence;
static BOOLEAN g_started;
static PDRIVER_OBJECT g_owner; /* the instance that made the control devices */

static const ULONG kCodes[] = {0x12C804, 0x12C808, 0x12C80C, 0x12C810, 0x12C814, 0x12C818, 0x12C81C, 0x12C820};

static VOID PutLe32(UCHAR* at, ULONG value) {
  int i;
  for (i = 0; i < 4; ++i) at[i] = (UCHAR)(value >> (8 * i));
}

static ULONG GetLe32(const UCHAR* at) { return at[0] | at[1] << 8 | at[2] << 16 | (ULONG)at[3] << 24; }

/* Appends the Unix path of a Windows path, in single quotes, to the command; FALSE when it does not fit. */
static BOOLEAN AppendUnixPath(WCHAR* command, ULONG capacity, ULONG* at, const WCHAR* windowsPath) {
  typedef char*(__cdecl * UnixName)(const WCHAR*);
  UnixName toUnix = (UnixName)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
  const char* path = toUnix ? toUnix(windowsPath) : NULL;
  if (!path || *at + 2 >= capacity) return FALSE;
  command[(*at)++] = L'\'';
  for (; *path; ++path) {
    if (*path == '\'' || *at + 2 >= capacity) return FALSE;
    command[(*at)++] = (WCHAR)(UCHAR)*path;
  }
  command[(*at)++] = L'\'';
  command[*at] = 0;
  return TRUE;
}

static BOOLEAN AppendText(WCHAR* command, ULONG capacity, ULONG* at, const WCHAR* text) {
  for (; *text; ++text) {
    if (*at + 1 >= capacity) return FALSE;
    command[(*at)++] = *text;
  }
  command[*at] = 0;
  return TRUE;
}

VOID LanvexControlStart(PDRIVER_OBJECT owner) {
  static WCHAR command[1024];
  ULONG at = 0;
  UCHAR startup[104], process[24];
  KeInitializeMutex(&g_requestLock, 0);
  g_owner = owner;
  CreateDirectoryW(kFolder, NULL);
  DeleteFileW(kHelperPid);
  if (!AppendText(command, 1024, &at, L"Z:\\bin\\sh -c \"exec ") ||
      !AppendUnixPath(command, 1024, &at, kHelper) || !AppendText(command, 1024, &at, L" ") ||
      !AppendUnixPath(command, 1024, &at, kFolder) || !AppendText(command, 1024, &at, L" >") ||
      !AppendUnixPath(command, 1024, &at, L"C:\\windows\\lanvex\\helper.log") ||
      !AppendText(command, 1024, &at, L" 2>&1\""))
    return;
  RtlZeroMemory(startup, sizeof startup);
  *(ULONG*)startup = sizeof startup;
  if (!CreateProcessW(NULL, command, NULL, NULL, 0, 0, NULL, NULL, startup, process)) return;
  g_started = TRUE;
}

/* Wine gives no handle of a Linux child: the helper says it is ready with its pid file. A busy
 * computer may take seconds to start it, so the first requests wait for it. */
static BOOLEAN HelperReady(VOID) {
  ULONG started = GetTickCount();
  while (GetFileAttributesW(kHelperPid) == LANVEX_INVALID_ATTRIBUTES) {
    if (GetTickCount() - started > LANVEX_START_WAIT_MS) return FALSE;
    Sleep(10);
  }
  return TRUE;
}

static BOOLEAN PutRequest(ULONG code, ULONG sequence, ULONG capacity) {
  UCHAR bytes[12];
  ULONG written = 0;
  HANDLE file = CreateFileW(kRequestTemporary, LANVEX_GENERIC_WRITE, 0, NULL, LANVEX_CREATE_ALWAYS, 0, NULL);
  if (file == (HANDLE)(LONG_PTR)-1) return FALSE;
  PutLe32(bytes, code);
  PutLe32(bytes + 4, sequence);
  PutLe32(bytes + 8, capacity);
  WriteFile(file, bytes, sizeof bytes, &written, NULL);
  CloseHandle(file);
  if (written != sizeof bytes) return FALSE;
  if (MoveFileExW(kRequestTemporary, kRequest, LANVEX_MOVE_REPLACE)) return TRUE;
  /* Wine's move can report a failure after the rename itself took place, when the helper has
   * already taken the request away: the temporary file gone means the request went out. */
  return GetFileAttributesW(kRequestTemporary) == LANVEX_INVALID_ATTRIBUTES;
}

/* Waits for the reply of sequence and copies at most capacity bytes of it; FALSE on time-out.
 * Each reply has a file of its own ("reply-" and the sequence in hex), deleted as it is closed, so
 * a late delete can never take the next reply away. */
static BOOLEAN TakeReply(ULONG sequence, UCHAR* buffer, ULONG capacity, ULONG* copied) {
  static const WCHAR kDigits[] = L"0123456789abcdef";
  WCHAR name[] = L"C:\\windows\\lanvex\\reply-00000000";
  ULONG started = GetTickCount(), end = sizeof name / sizeof name[0] - 1, looks = 0;
  int i;
  for (i = 0; i < 8; ++i) name[end - 1 - i] = kDigits[(sequence >> (4 * i)) & 0xF];
  for (;;) {
    HANDLE file = CreateFileW(name, LANVEX_GENERIC_READ | LANVEX_DELETE, 0, NULL, LANVEX_OPEN_EXISTING,
                              LANVEX_DELETE_ON_CLOSE, NULL);
    if (file != (HANDLE)(LONG_PTR)-1) {
      UCHAR header[8];
      ULONG got = 0, length, want;
      BOOLEAN mine = ReadFile(file, header, sizeof header, &got, NULL) && got == sizeof header &&
                     GetLe32(header) == sequence;
      if (mine) {
        length = GetLe32(header + 4);
        want = length < capacity ? length : capacity;
        got = 0;
        if (want) ReadFile(file, buffer, want, &got, NULL);
        *copied = got;
      }
      CloseHandle(file);
      if (mine) return TRUE;
    }
    /* The clock of a loaded computer can leap: a request gives up only after enough looks too. */
    if (GetTickCount() - started > LANVEX_REPLY_WAIT_MS && ++looks > LANVEX_REPLY_MIN_LOOKS) return FALSE;
    Sleep(1);
  }
}

NTSTATUS LanvexControlRequest(PIRP irp, PIO_STACK_LOCATION stack, ULONG_PTR* information) {
  ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
  ULONG capacity = stack->Parameters.DeviceIoControl.OutputBufferLength;
  ULONG copied = 0, i;
  BOOLEAN known = FALSE, answered;
  *information = 0;
  for (i = 0; i < sizeof kCodes / sizeof kCodes[0]; ++i) known |= kCodes[i] == code;
  if (!known) return STATUS_INVALID_DEVICE_REQUEST;
  if (!g_started) return STATUS_DEVICE_NOT_READY;
  if (capacity > LANVEX_MAX_REPLY) capacity = LANVEX_MAX_REPLY;
  KeWaitForSingleObject(&g_requestLock, Executive, KernelMode, FALSE, NULL);
  ++g_sequence;
  answered = HelperReady() && PutRequest(code, g_sequence, capacity) &&
             TakeReply(g_sequence, (UCHAR*)irp->AssociatedIrp.SystemBuffer, capacity, &copied);
  KeReleaseMutex(&g_requestLock, FALSE);
  if (!answered) return STATUS_IO_TIMEOUT;
  *information = copied;
  return STATUS_SUCCESS;
}

VOID LanvexControlStop(PDRIVER_OBJECT driver) {
  if (!g_started || driver != g_owner) return;
  KeWaitForSingleObject(&g_requestLock, Executive, KernelMode, FALSE, NULL);
  PutRequest(0, ++g_sequence, 0);
  KeReleaseMutex(&g_requestLock, FALSE);
  g_started = FALSE;
}
