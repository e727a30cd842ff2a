// A source of a core library as the widget scan must refuse it: two widget headers, spelt as a
// module path and as a lower-case file name behind an indented directive.
#include "sample_core.h"

#include <QtWidgets/QLabel>
  #  include <qwidget.h>
