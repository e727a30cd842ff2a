#include "platform/ui/window_showing.h"

#include "platform/ui/title_width.h"
#include "platform/ui/window_owner.h"
#include "platform/ui/window_system.h"

namespace tarvel::platform {

void prepareForShowing(QWidget& window, QWidget* owner) {
  belongToOwner(window, owner);
  widenForTitle(window, titleBarsAreDrawnByQt());
}

}  // namespace tarvel::platform
