#pragma once

#include <QString>

namespace kartello::gui {

// The classic dialog filter "kml(*.kml)|*.kml|All files(*.*)|*.*|" as a Qt
// name filter list "kml(*.kml);;All files(*.*)". A description that does not
// already show its patterns in brackets gets them appended, since Qt reads the
// patterns from the brackets; several patterns "*.x;*.y" become "*.x *.y".
QString qtNameFilters(const QString& classicFilter);

// The default extension as given to the dialog ("*.ggo", ".txt" or "kml") as
// the bare suffix Qt appends ("ggo"); "" for none or a wildcard.
QString qtDefaultSuffix(const QString& defaultExt);

// The one extension a Qt name filter stands for ("kmz (*.kmz)" -> "kmz");
// "" when it has several patterns or a wildcard extension ("All files(*.*)").
QString suffixOfNameFilter(const QString& nameFilter);

} // namespace kartello::gui
