#include "platform/ui/form_placement.h"

#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace tarvel::platform {
namespace {

QString placementFilePath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return folder + "/Tarvel/placement.ini";
}

}  // namespace

FormPlacement::FormPlacement(QWidget* window, QString name)
    : window_(window), name_(std::move(name)) {}

void FormPlacement::restore() {
  const QSettings file(placementFilePath(), QSettings::IniFormat);
  const QPoint position = file.value(name_ + "/position", QPoint(0, 0)).toPoint();
  window_->move(position);
}

void FormPlacement::save() const {
  QSettings file(placementFilePath(), QSettings::IniFormat);
  file.setValue(name_ + "/position", window_->pos());
}

}  // namespace tarvel::platform
