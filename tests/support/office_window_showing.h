// Showing the office window as the operator's menu command does, and waiting until it has read
// its station list (or given it up), as the operator waits for the window to take clicks.
#pragma once

#include <QTest>

#include "autoquery/ui/office_window/auto_zapros_office_form.h"

namespace tarvel::testing {

// Longer than the opening's bound, so that a database given up is waited for too.
inline constexpr int kStationListWaitMilliseconds = 20'000;

// True once the window is shown and takes input.
inline bool showAndWaitForStations(autoquery::TAutoZaprosOfficeForm& form) {
  form.show();
  return QTest::qWaitFor([&] { return !form.readingStationList(); }, kStationListWaitMilliseconds);
}

// True once every call the window made of its database (the closing too) has answered or been
// given up.
inline bool waitForTheDatabase(autoquery::TAutoZaprosOfficeForm& form) {
  return QTest::qWaitFor([&] { return form.IBDatabase1.callsPending() == 0; },
                         kStationListWaitMilliseconds);
}

}  // namespace tarvel::testing
