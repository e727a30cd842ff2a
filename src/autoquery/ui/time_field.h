// The masked time field of the schedule editor ("99:99"): two hour digits, a colon and two
// minute digits, with a blank where no digit was typed yet.
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace tarvel::autoquery {

// A time field named objectName inside parent at the given place, showing "00:00".
QLineEdit* makeTimeField(QWidget* parent, const char* objectName, int left, int top);

// The field's text as it stands: five characters, blanks where no digit was typed.
QString timeFieldText(const QLineEdit& field);

// A text of the field's five characters from which the one reader of time texts reads no time
// (a blank where a digit belongs) was typed only in part. Any other text, also one out of the
// ranges of hours and minutes such as 25:70, or a shorter one, counts as typed in full.
bool isPartlyTypedTime(const QString& text);

}  // namespace tarvel::autoquery
