// How the command line names a widget: NAME, NAME#N and @ROW, and the same written back.
#include "host/widget_reference.h"

#include <gtest/gtest.h>

namespace {

using tarvel::host::WidgetReference;

TEST(WidgetReference, ParsedAndWrittenBack) {
  const struct {
    const char* text;
    std::optional<WidgetReference> expected;
  } cases[] = {
      {"lbAZSname", WidgetReference{"lbAZSname", 0, {}}},
      {"lbAZSname#0", WidgetReference{"lbAZSname", 0, {}}},
      {"lbAZSname#12", WidgetReference{"lbAZSname", 12, {}}},
      {"a#b#2", WidgetReference{"a#b", 2, {}}},
      {"lvWeekDay@4", WidgetReference{"lvWeekDay", 0, 4}},
      {"list#1@0", WidgetReference{"list", 1, 0}},
      {"", {}},
      {"#1", {}},
      {"@1", {}},
      {"name#", {}},
      {"name@", {}},
      {"name#+1", {}},
      {"name# 1", {}},
      {"name@ 1", {}},
      {"name#one", {}},
      {"name#99999999999", {}},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(tarvel::host::parseWidgetReference(entry.text), entry.expected) << entry.text;
    if (entry.expected) {
      EXPECT_EQ(tarvel::host::parseWidgetReference(tarvel::host::referenceText(*entry.expected)),
                entry.expected)
          << "written back: " << entry.text;
    }
  }
}

}  // namespace
