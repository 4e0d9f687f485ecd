// FlushIpNetTable, and where Wine answers ERROR_NOT_SUPPORTED, the same for the Linux interface of
// that index: "ip neigh flush dev NAME" (an adapter's friendly name is its interface's name there),
// then a wait until the neighbour table shows no resolved entry of the index.
#pragma once
#include <windows.h>

// As FlushIpNetTable: NO_ERROR when the interface's neighbours are gone.
DWORD FlushIpNetTableOf(DWORD interfaceIndex);
