#include "media/core/exchange_folder_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/install_root.h"

namespace tarvel::media {
namespace {

const QChar kBackslash = u'\\';

bool isNativeAbsolute(const QString& path) { return path.startsWith(u'/'); }

QString nativeText(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray(path.c_str()));
}

// Links resolved where the folder exists, so a root reached through a link is still found.
QString comparableFolder(const QString& nativePath) {
  const QString canonical = QFileInfo(nativePath).canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(nativePath) : canonical;
}

}  // namespace

QString withClosingBackslash(const QString& path) {
  if (path.isEmpty() || path.endsWith(kBackslash)) return path;
  return path + kBackslash;
}

QString browserStartFolder(const QString& editText) {
  if (isNativeAbsolute(editText)) {
    QString folder = editText;
    while (folder.size() > 1 && folder.endsWith(kBackslash)) folder.chop(1);
    return folder;
  }
  return nativeText(platform::mapWindowsPath(QFile::encodeName(editText).toStdString()));
}

QString editTextForChosenFolder(const QString& chosenFolder) {
  if (!isNativeAbsolute(chosenFolder)) return withClosingBackslash(chosenFolder);
  const QString root = comparableFolder(nativeText(platform::installationRoot()));
  const QString folder = comparableFolder(chosenFolder);
  if (folder == root) return QStringLiteral("C:\\");
  const QString rootWithSeparator = root.endsWith(u'/') ? root : root + u'/';
  if (folder.startsWith(rootWithSeparator)) {
    QString inside = folder.mid(rootWithSeparator.size());
    inside.replace(u'/', kBackslash);
    return withClosingBackslash("C:\\" + inside);
  }
  return withClosingBackslash(chosenFolder);
}

}  // namespace tarvel::media
