#pragma once
// The time of a place as the text of a KML <when>, which a viewer's time
// slider reads: an XML Schema dateTime, date, gYearMonth or gYear.
#include <QString>
#include <QStringView>

namespace kartello {

// "2019", "2019-05", "2019-05-01", "2019-05-01T12:00:00" with an optional
// fraction and zone ("Z", "+02:00"); also the forms GIS data gives for the
// same ("2020/01/05 00:00:00+02", "2020-1-5", minutes without seconds).
// A null text when the input is no valid calendar date or time.
QString kmlWhen(QStringView text);

} // namespace kartello
