#include "autoquery/ui/office_window/legend_switch_storage.h"

#include <QSettings>
#include <QStandardPaths>

namespace tarvel::autoquery {
namespace {

const char* const kKey = "TAutoZaprosOfficeForm/CheckBox1.Checked";

QString storageFilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         "/Tarvel/placement.ini";
}

}  // namespace

bool rememberedLegendSwitch() {
  const QSettings file(storageFilePath(), QSettings::IniFormat);
  return file.value(kKey, true).toBool();
}

void rememberLegendSwitch(bool checked) {
  QSettings file(storageFilePath(), QSettings::IniFormat);
  file.setValue(kKey, checked);
}

}  // namespace tarvel::autoquery
