// Names for assistive technology where a control's caption gives none a listener understands:
// every control of the office's windows that takes the keyboard focus gets a name of words.
#pragma once

class QTreeWidgetItem;

namespace tarvel::autoquery {

class TAutoItemSettForm;
class TAutoZaprosOfficeForm;

void nameOfficeWindowForListeners(TAutoZaprosOfficeForm& window);
void nameEditorForListeners(TAutoItemSettForm& editor);
// A weekday row's time cell says its time, or that the day has no session.
void nameTimeCellForListeners(QTreeWidgetItem& row, int timeColumn);

}  // namespace tarvel::autoquery
