// The masked time field of the schedule editor ("99:99"): two hour digits, a colon and two
// minute digits, with a blank where no digit was typed yet.
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace tarvel::autoquery {

// A time field named objectName inside parent at the form's place (grown with formScale),
// showing "00:00".
QLineEdit* makeTimeField(QWidget* parent, const char* objectName, int left, int top);

// The field's text as it stands: five characters, blanks where no digit was typed.
QString timeFieldText(const QLineEdit& field);

}  // namespace tarvel::autoquery
