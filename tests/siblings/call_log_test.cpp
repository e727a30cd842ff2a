// The switches the stand-in siblings read from the environment.
#include "siblings/call_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace std::chrono_literals;

void setOrClear(const char* variable, const std::optional<std::string>& value) {
  if (value) {
    setenv(variable, value->c_str(), 1);
  } else {
    unsetenv(variable);
  }
}

TEST(SiblingSendDuration, ComesFromMillisecondsFirstThenSeconds) {
  struct Case {
    std::optional<std::string> milliseconds;
    std::optional<std::string> seconds;
    std::chrono::milliseconds expected;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, 0ms},
      {"250", std::nullopt, 250ms},
      {std::nullopt, "5", 5000ms},
      {" 40 ", "5", 40ms},
      {"abc", "2", 2000ms},  // not a number: the other switch counts
      {"-3", std::nullopt, 0ms},
      {"12x", std::nullopt, 0ms},
      {"", "", 0ms},
  };
  for (const auto& entry : cases) {
    setOrClear("TARVEL_SEND_MILLISECONDS", entry.milliseconds);
    setOrClear("TARVEL_SEND_SECONDS", entry.seconds);
    EXPECT_EQ(tarvel::siblings::sendDuration(), entry.expected)
        << entry.milliseconds.value_or("<unset>") << " / " << entry.seconds.value_or("<unset>");
  }
  unsetenv("TARVEL_SEND_MILLISECONDS");
  unsetenv("TARVEL_SEND_SECONDS");
}

TEST(SiblingSwitch, NamesLibrariesByListWildcardAndCase) {
  struct Case {
    const char* value;
    const char* library;
    bool expected;
  };
  const Case cases[] = {
      {"Kestrin.dll", "Kestrin.dll", true},
      {"KESTRIN.DLL", "Kestrin.dll", true},
      {"Orvaly.dll,Kestrin.dll", "Kestrin.dll", true},
      {" Orvaly.dll , Dravik.dll ", "Dravik.dll", true},
      {"*", "Zumbra.dll", true},
      {"Kestrin", "Kestrin.dll", false},
      {"Orvaly.dll", "Kestrin.dll", false},
      {"", "Kestrin.dll", false},
      {",,", "Kestrin.dll", false},
  };
  for (const auto& entry : cases) {
    setenv("TARVEL_FAIL_LOAD", entry.value, 1);
    EXPECT_EQ(tarvel::siblings::switchNamesLibrary("TARVEL_FAIL_LOAD", entry.library),
              entry.expected)
        << entry.value << " / " << entry.library;
  }
  unsetenv("TARVEL_FAIL_LOAD");
  EXPECT_FALSE(tarvel::siblings::switchNamesLibrary("TARVEL_FAIL_LOAD", "Kestrin.dll"));
}

}  // namespace
