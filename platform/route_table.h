// The IPv4 route table as the Routing page reads it: GetIpForwardTable, sized by a first call.
// Wine reads a Linux route's metric as if its decimal digits were hex (100 shows as 256); where
// the kernel's own table (Z:\proc\net\route) shows a route's value read so, its true metric is
// given instead. On Windows there is no such file and the table stands as it is.
#pragma once
#include <vector>

#include "monitor/route_plan.h"

// False when the table cannot be read (the second call or the allocation fails).
bool ReadIpv4RouteTable(std::vector<Ipv4Route>* routes);
