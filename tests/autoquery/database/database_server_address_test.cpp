#include "autoquery/database/database_server_address.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvel::autoquery {
namespace {

struct AddressCase {
  const char* connectionString;
  std::optional<DatabaseServerAddress> server;
};

class DatabaseServerAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(DatabaseServerAddressTest, NamesTheServerTheClientConnectsTo) {
  EXPECT_EQ(databaseServerAddress(GetParam().connectionString), GetParam().server);
}

INSTANTIATE_TEST_SUITE_P(
    ConnectionStrings, DatabaseServerAddressTest,
    ::testing::Values(
        AddressCase{"srv:C:\\FSYS\\OFFICEDB\\OFFICE.FDB", DatabaseServerAddress{"srv", "3050"}},
        AddressCase{"10.0.0.5/3051:C:\\DB.FDB", DatabaseServerAddress{"10.0.0.5", "3051"}},
        AddressCase{"srv/gds_db:C:\\DB.FDB", DatabaseServerAddress{"srv", "gds_db"}},
        AddressCase{"[::1]:C:\\DB.FDB", DatabaseServerAddress{"::1", "3050"}},
        AddressCase{"[fe80::1]/3052:C:\\DB.FDB", DatabaseServerAddress{"fe80::1", "3052"}},
        AddressCase{"inet://srv/C:\\DB.FDB", DatabaseServerAddress{"srv", "3050"}},
        AddressCase{"INET4://srv:3053/C:\\DB.FDB", DatabaseServerAddress{"srv", "3053"}},
        AddressCase{"inet6://[::1]:3054/C:\\DB.FDB", DatabaseServerAddress{"::1", "3054"}},
        // Not over TCP, or no host named.
        AddressCase{"xnet://C:\\DB.FDB", std::nullopt},
        AddressCase{"\\\\srv\\C:\\DB.FDB", std::nullopt}, AddressCase{":C:\\DB.FDB", std::nullopt},
        AddressCase{"[::1:C:\\DB.FDB", std::nullopt}, AddressCase{"/srv/db.fdb", std::nullopt}));

}  // namespace
}  // namespace tarvel::autoquery
