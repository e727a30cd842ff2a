#include "autoquery/core/office_station_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"

namespace tarvel::autoquery {
namespace {

using Names = std::vector<std::string>;

// One item of the registry as the lining up leaves it: its name, whether it keeps the schedule
// it had (polling on marks the items that were there before) and its Index.
struct Item {
  std::string AZSName;
  bool Enable = false;
  int32_t Index = 0;
  bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* out) {
  *out << "{" << item.AZSName << ", " << item.Enable << ", " << item.Index << "}";
}

// A registry of items named as given, every one polled (unlike a fresh item).
void fill(tAutoAZS& registry, const Names& names) {
  for (const std::string& name : names) {
    TAzsItem& item = registry.Add();
    item.AZSName = name;
    item.Enable = true;
  }
}

std::vector<Item> itemsOf(const tAutoAZS& registry) {
  std::vector<Item> items;
  for (int32_t i = 0; i < registry.Count(); ++i) {
    const TAzsItem& item = registry.Items(i);
    items.push_back({item.AZSName, item.Enable, item.Index});
  }
  return items;
}

struct LiningUpCase {
  const char* name;
  Names registryBefore;
  Names rows;
  bool wholeList;
  std::vector<Item> registryAfter;
};

class LiningUp : public ::testing::TestWithParam<LiningUpCase> {};

TEST_P(LiningUp, FollowsTheRowsByPosition) {
  const LiningUpCase& param = GetParam();
  tAutoAZS registry;
  fill(registry, param.registryBefore);
  EXPECT_EQ(synchroniseWithOfficeDatabase(registry, param.rows, param.wholeList), 0);
  EXPECT_EQ(itemsOf(registry), param.registryAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LiningUp,
    ::testing::Values(
        LiningUpCase{"FewerRowsDropTheLastItems",
                     {"a", "b", "c", "d", "e"},
                     {"A", "B", "C"},
                     true,
                     {{"A", true, 0}, {"B", true, 1}, {"C", true, 2}}},
        LiningUpCase{"MoreRowsAddFreshItems",
                     {"a"},
                     {"A", "B", "C"},
                     true,
                     {{"A", true, 0}, {"B", false, 1}, {"C", false, 2}}},
        LiningUpCase{"EmptyRegistry", {}, {"A", "B"}, true, {{"A", false, 0}, {"B", false, 1}}},
        LiningUpCase{"NoRowsEmptyTheRegistry", {"a", "b"}, {}, true, {}},
        LiningUpCase{"ListCutShortDeletesNothing",
                     {"a", "b", "c"},
                     {"A"},
                     false,
                     {{"A", true, 0}, {"b", true, 1}, {"c", true, 2}}},
        LiningUpCase{
            "ListCutShortStillAdds", {"a"}, {"A", "B"}, false, {{"A", true, 0}, {"B", false, 1}}}),
    [](const auto& testParam) { return std::string(testParam.param.name); });

TEST(LiningUpAtTheBound, RowsBeyondTheRegistrysBoundAreLeftOutAndCounted) {
  tAutoAZS registry;
  fill(registry, Names(kMaxItemCount, "saved"));
  Names rows;
  for (int32_t row = 0; row < kMaxItemCount + 2000; ++row) rows.push_back(std::to_string(row));

  EXPECT_EQ(synchroniseWithOfficeDatabase(registry, rows, true), 2000);
  ASSERT_EQ(registry.Count(), kMaxItemCount);
  EXPECT_EQ(registry.Items(kMaxItemCount - 1).AZSName, std::to_string(kMaxItemCount - 1));
  EXPECT_TRUE(registry.Items(kMaxItemCount - 1).Enable) << "the saved schedule stays";
}

}  // namespace
}  // namespace tarvel::autoquery
