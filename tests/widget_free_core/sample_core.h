// A header of a core library as the widget scan (cmake/TarvelWidgetFreeCore.cmake) must refuse
// it: <QDialog> is a widget header; the others are Qt Core's and Qt Gui's (qaction.h stands in
// the widget folder too, for old code) or a name that merely begins like the widget module's.
#pragma once

#include <QObject>
#include <QtGui/QColor>
#include <qaction.h>
#include <QtWidgetsSample>
#include <QDialog>
