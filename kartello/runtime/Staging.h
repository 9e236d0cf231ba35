#pragma once
// What a run stages in the temporary directory (the KMZ folder before
// packing, the exported workbook) carries the run's process id in its name,
// "kartello-<pid>-<what>-XXXXXX", so that a later start can tell what a
// killed or finished run left behind.
#include <QDir>
#include <QString>

namespace kartello {

// A QTemporaryDir / QTemporaryFile template in the temporary directory for
// this run, what = "kmz", "export" ...
QString stagingTemplate(const QString& what);

// Removes the staged folders and files in `folder` whose run has ended (its
// process no longer exists); those of runs still going are kept. Answers how
// many entries were removed.
int removeLeftStaging(const QString& folder = QDir::tempPath());

} // namespace kartello
