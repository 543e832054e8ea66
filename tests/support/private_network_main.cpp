// Entry of every native test program: tests open sockets to the panel
// addresses, so they run only inside the private network namespace.
#include <gtest/gtest.h>

#include "support/private_network.h"

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
