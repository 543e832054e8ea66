// Programs that open sockets to the panel addresses 192.168.0.x (tests,
// benchmarks) must never run where a real network is reachable. Unless the
// process already runs inside the project's private network namespace (only
// the loopback interface, marked by scripts/private-net), it starts itself
// again inside one.
#pragma once

namespace testing_support {

void EnsurePrivateNetwork(int argc, char** argv);

}  // namespace testing_support
