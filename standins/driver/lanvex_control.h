/* The control devices' side of lanvex.sys: the flow helper started at load and stopped at
 * unload, and the eight control codes answered through it (lanvex_control.c). */
#pragma once
#include <ntddk.h>

/* Only the instance that made the control devices starts and stops the helper. */
VOID LanvexControlStart(PDRIVER_OBJECT owner);
VOID LanvexControlStop(PDRIVER_OBJECT driver);
/* The answer of one DEVICE_CONTROL request to a control device; information is the bytes returned. */
NTSTATUS LanvexControlRequest(PIRP irp, PIO_STACK_LOCATION stack, ULONG_PTR* information);
