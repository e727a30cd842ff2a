#include "autoquery/ui/schedule_editor/time_field.h"

#include <QLineEdit>

#include "autoquery/ui/common/component_looks.h"
#include "platform/ui/form_font.h"

namespace tarvel::autoquery {
namespace {

// Digits only in the four digit positions, a blank shown where none was typed.
constexpr const char* kTimeMask = "99:99; ";

}  // namespace

QLineEdit* makeTimeField(QWidget* parent, const char* objectName, int left, int top) {
  auto* field = makeComponent<QLineEdit>(parent, objectName);
  field->setGeometry(platform::scaled(QRect(left, top, 79, 39)));
  field->setInputMask(kTimeMask);
  field->setText("00:00");
  field->setFont(serifFont(27, QFont::Bold));
  setTextColor(field, kMaroon);
  return field;
}

QString timeFieldText(const QLineEdit& field) { return field.displayText(); }

}  // namespace tarvel::autoquery
