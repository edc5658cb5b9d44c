// The one throwaway cluster of the store's test program, started before the
// first test and stopped after the last.
#include "support/pg_cluster.h"

static ::testing::Environment* const cluster = ::testing::AddGlobalTestEnvironment(new planek::test::pg_cluster);
