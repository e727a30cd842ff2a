#include "autoquery/ui/office_window/office_window_focus.h"

#include <QScrollArea>
#include <QScrollBar>

#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autoquery/ui/station_frame/azs_frame.h"

namespace tarvel::autoquery {

void focusFirstStationAtTheTop(TAutoZaprosOfficeForm& window) {
  // Scrolling makes the frames that come into sight.
  window.ScrollBox1->verticalScrollBar()->setValue(0);
  window.ScrollBox1->horizontalScrollBar()->setValue(0);
  if (TAZSFrame* first = window.frameAt(0)) {
    first->setFocus(Qt::OtherFocusReason);
  } else {
    window.ScrollBox1->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace tarvel::autoquery
