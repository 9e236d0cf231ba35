#pragma once
// What a run stages carries the run's process id in its name, so that a later
// start can tell what a killed or finished run left behind: in the temporary
// directory "kartello-<pid>-<what>-XXXXXX" (the KMZ of the window's export,
// the exported workbook), and beside a file being replaced the hidden
// ".kartello-<pid>-<name>.XXXXXX". The folders of the latter are noted in the
// temporary directory ("kartello-<pid>-folders"), so the next start finds them.
#include <QDir>
#include <QString>

namespace kartello {

// A QTemporaryDir / QTemporaryFile template in the temporary directory for
// this run, what = "kmz", "export" ...
QString stagingTemplate(const QString& what);

// A QTemporaryFile template for the new contents of `target`, in its folder;
// notes the folder for the start after a killed run.
QString besideTemplate(const QString& target);

// Removes the staged folders and files in `folder` whose run has ended (its
// process no longer exists), and what such a run left beside the files it
// was writing; those of runs still going are kept. Answers how many entries
// were removed.
int removeLeftStaging(const QString& folder = QDir::tempPath());

} // namespace kartello
