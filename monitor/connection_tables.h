// The Connections dialog's engine on the system: the TCP and UDP tables of both families with
// their owning processes, read into the connection table on every tick, and the name of a
// process.
#pragma once
#include <cstdint>
#include <string>

#include "monitor/conn_table.h"

// Empties the table and reads TCP/IPv4, UDP/IPv4, TCP/IPv6 and UDP/IPv6 into it, in that order;
// IPv4 rows on 127.0.0.1 are left out. A table that cannot be read adds nothing. A socket the
// system gives no owner for is put under the Linux process found holding it, if any.
void RefreshConnectionTables(ConnTable* table);
// The base name of the process's first module, else the name of a Linux owner found by the last
// refresh, else "unknown ".
std::string GetProcessName(uint32_t pid);
