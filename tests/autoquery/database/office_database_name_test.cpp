#include "autoquery/database/office_database_name.h"

#include <gtest/gtest.h>

#include "support/temporary_installation.h"

namespace tarvel::autoquery {
namespace {

struct NameCase {
  const char* hostAnswer;
  const char* databaseName;
};

class OfficeDatabaseNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(OfficeDatabaseNameTest, KeepsTheHostsServerPrefixBeforeTheOfficePath) {
  EXPECT_EQ(officeDatabaseName(GetParam().hostAnswer), GetParam().databaseName);
}

INSTANTIATE_TEST_SUITE_P(
    HostAnswers, OfficeDatabaseNameTest,
    ::testing::Values(NameCase{"C:\\FSYS\\MAIN.FDB", "C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"srv:C:\\FSYS\\MAIN.FDB", "srv:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"srv/3051:C:\\DB\\MAIN.FDB",
                               "srv/3051:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      // Any drive, in either case, ends the prefix; only the first one.
                      NameCase{"srv:D:\\DB\\MAIN.FDB", "srv:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"srv:c:\\db\\main.fdb", "srv:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"s:d:\\DB\\MAIN.FDB", "s:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"srv:C:\\A\\D:\\B", "srv:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      // A local database on any drive: no server prefix.
                      NameCase{"D:\\DB\\MAIN.FDB", "C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"e:\\db\\main.fdb", "C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      // No drive path at all: no server prefix.
                      NameCase{"", "C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"srv:/db/main.fdb", "C:\\FSYS\\OFFICEDB\\OFFICE.FDB"},
                      NameCase{"srv:1:\\db", "C:\\FSYS\\OFFICEDB\\OFFICE.FDB"}));

TEST(AttachmentTargetTest, LocalNameIsTheFileUnderTheRootOpenedEmbedded) {
  testing::TemporaryInstallation installation;
  const AttachmentTarget target = attachmentTarget("C:\\FSYS\\OFFICEDB\\OFFICE.FDB");
  EXPECT_TRUE(target.embedded);
  EXPECT_EQ(target.connectionString,
            (installation.root() / "FSYS" / "OFFICEDB" / "OFFICE.FDB").string());
}

TEST(AttachmentTargetTest, NameWithServerPrefixGoesToTheServerUnchanged) {
  for (const char* name :
       {"srv:C:\\FSYS\\OFFICEDB\\OFFICE.FDB", "srv/3051:C:\\FSYS\\OFFICEDB\\OFFICE.FDB"}) {
    const AttachmentTarget target = attachmentTarget(name);
    EXPECT_FALSE(target.embedded) << name;
    EXPECT_EQ(target.connectionString, name);
  }
}

}  // namespace
}  // namespace tarvel::autoquery
