#include "host/menu_path.h"

#include <QStringList>
#include <algorithm>

#include "platform/cp1251.h"

namespace tarvel::host {
namespace {

std::string withoutAccelerators(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  return caption;
}

HostMenuItem* findChild(const HostMenuItem& parent, const std::string& caption) {
  for (int32_t index = 0; index < parent.count(); ++index) {
    HostMenuItem* child = parent.item(index);
    if (platform::equalsIgnoringCase(withoutAccelerators(child->caption()), caption)) return child;
  }
  return nullptr;
}

}  // namespace

HostMenuItem* findMenuItemByPath(HostMenuItem& root, const QString& path) {
  const QStringList steps = path.split('/');
  HostMenuItem* item = &root;
  for (const QString& step : steps) {
    const std::string caption = withoutAccelerators(platform::fromUnicode(step.trimmed()));
    if (caption.empty()) return nullptr;
    item = findChild(*item, caption);
    if (item == nullptr) return nullptr;
  }
  return item;
}

}  // namespace tarvel::host
