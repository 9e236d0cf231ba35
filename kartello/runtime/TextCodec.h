#pragma once
// Files are bytes: names read from KML and place files are decoded from UTF-8,
// and bytes that are not valid UTF-8 are taken as Windows-1252 so that no
// character is lost. Names written into KML go out as UTF-8.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kartello {

// Decodes UTF-8; every byte that does not start a valid UTF-8 sequence is read
// as its Windows-1252 character. NUL bytes are kept as U+0000.
QString decodeText(QByteArrayView bytes);

// The UTF-8 bytes of a text (what a label name becomes in the written file).
QByteArray utf8Encode(const QString& text);

} // namespace kartello
