#include "platform/ui/settings_dialog.h"

#include <QShowEvent>

#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/window_showing.h"

namespace tarvel::platform {

SettingsDialog::SettingsDialog(const char* formName, const char* caption, QSize clientSize,
                               Qt::WindowFlags frame, QWidget* owner)
    : QDialog(nullptr, frame), FormPlacement1(this, QString::fromLatin1(formName)), owner_(owner) {
  setObjectName(QString::fromLatin1(formName));
  setWindowTitle(toUnicode(caption));
  // The font first, so that auto-sized labels measure their captions in it.
  applyFormFont(this);
  setFixedSize(scaled(clientSize));
  FormPlacement1.restore();
}

SettingsDialog::~SettingsDialog() {
  if (isVisible()) FormPlacement1.save();
}

void SettingsDialog::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) guarded([this] { prepareForShowing(*this, owner_); });
  QDialog::showEvent(event);
  if (!event->spontaneous()) {
    guarded([this] { FormShow(); });
    guarded([this] { FormPlacement1.beforeShowing(); });
  }
}

void SettingsDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) guarded([this] { FormPlacement1.save(); });
}

}  // namespace tarvel::platform
