// Free UDP ports for network tests, chosen per run by the system, so that
// test programs running side by side never share a port.
#pragma once

#include <cstdint>

namespace testing_support {

// The first of `count` consecutive UDP ports that were all free a moment
// ago. Throws when no such range turns up.
std::uint16_t FreeUdpPorts(int count);

}  // namespace testing_support
