#pragma once
// The graph document as generation writes it: UTF-8 with CR LF line ends in
// one buffer, reserved once, so a document of many megabytes is neither
// grown by copying nor copied on its way to the file or the archive. Three of
// its lines only saving can write (the document's name and the two image
// references): they read as placeholders until saving fills them in.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace kartello {

enum class KmlSlot { Name, TitleHref, ScaleHref };

class KmlText {
public:
    void reserve(qsizetype bytes) { body_.reserve(bytes); }
    bool isEmpty() const { return body_.isEmpty(); }

    // Appends to the line being written.
    KmlText& operator<<(QByteArrayView utf8) {
        body_.append(utf8);
        return *this;
    }
    KmlText& operator<<(char c) {
        body_.append(c);
        return *this;
    }
    KmlText& operator<<(QStringView text);
    // Ends the line being written.
    void endLine() { body_.append("\r\n", 2); }
    // A whole line.
    void line(QByteArrayView utf8) {
        *this << utf8;
        endLine();
    }
    void line(QStringView text) {
        *this << text;
        endLine();
    }
    // The buffer the line being written grows in, for number text appended
    // in place.
    QByteArray& buffer() { return body_; }

    // A line that saving writes; until then it reads `placeholder`.
    void slotLine(KmlSlot which, QStringView placeholder);
    bool hasSlot(KmlSlot which) const;
    // Puts the text in place of the slot's placeholder; from then on it is an
    // ordinary line, as a document once saved keeps its names.
    void fill(KmlSlot which, QStringView text);

    // The whole document.
    const QByteArray& bytes() const { return body_; }
    // The document as lines without their ends (tests and small tools).
    QStringList lines() const;

private:
    struct Slot {
        KmlSlot which;
        qsizetype at, size; // the placeholder's bytes in body_
    };
    QByteArray body_;
    std::vector<Slot> slots_;
};

} // namespace kartello
