// Where the office window starts for the keyboard and a screen reader: each opening shows the top
// of the station list and of the chart, with the focus on the first station's frame.
#pragma once

namespace tarvel::autoquery {

class TAutoZaprosOfficeForm;

// Scrolls the window's station list to its start and gives the first station's frame the focus
// (the list itself when there is no station). The window takes that focus when it is activated.
void focusFirstStationAtTheTop(TAutoZaprosOfficeForm& window);

}  // namespace tarvel::autoquery
