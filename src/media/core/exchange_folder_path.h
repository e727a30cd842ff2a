// The exchange folder's path between the removable-media dialog's edit box, which holds it in
// the Windows form the other programs of the system read from cnf.INI ("E:\", "C:\FSYS\OUT\"),
// and the folder browser of this platform, which works with native paths.
#pragma once

#include <QString>

namespace tarvel::media {

// The path with one closing "\" when it has none; an empty path stays empty, since there is
// no last character to complete.
QString withClosingBackslash(const QString& path);

// Where the browser starts for the text of the edit box: a native absolute path (beginning
// with "/") as it is, without the closing backslashes; a Windows path mapped onto the
// installation root.
QString browserStartFolder(const QString& editText);

// What the edit box shows for the folder the browser returned, always with a closing "\": a
// folder inside the installation root in its Windows form ("C:\" for the root itself,
// "C:\A\B\" for ROOT/A/B); any other folder, native or already in Windows form, as it came.
QString editTextForChosenFolder(const QString& chosenFolder);

}  // namespace tarvel::media
