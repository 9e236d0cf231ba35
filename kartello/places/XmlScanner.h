#pragma once
// A small forgiving XML tokenizer for KML: start tags, end tags and text, with
// comments, processing instructions and declarations skipped, CDATA sections
// as text and the XML character references decoded. It never fails: a
// truncated document simply ends, which is how the placemark reader wants
// damaged files treated (what was read completely stays).
#include <QString>
#include <QStringView>

namespace kartello {

// Replaces &lt; &gt; &amp; &quot; &apos; &#n; &#xh; by their characters; an
// unknown or broken reference stays as written.
QString decodeXmlText(QStringView raw);

class XmlScanner {
public:
    enum Token { StartTag, EndTag, Text, End };

    explicit XmlScanner(QStringView text) : t_(text) {}

    // The next token. For StartTag and EndTag, name() is the local name (a
    // namespace prefix cut off) and selfClosing() tells "<a/>"; for Text,
    // text() is the decoded text.
    Token next();

    QStringView name() const { return name_; }
    // The decoded value of an attribute of the start tag just read ("" when
    // it has none of that name).
    QString attribute(QStringView name) const;
    bool selfClosing() const { return selfClosing_; }
    // Decoded only when asked for: most text between tags is layout blanks.
    QString text() const { return cdata_ ? raw_.toString() : decodeXmlText(raw_); }

    // The decoded text up to the end tag that closes the element just
    // started, child elements' text included; the end tag is consumed.
    QString elementText();

private:
    bool skipPast(QStringView marker);
    Token tag();

    QStringView t_;
    qsizetype pos_ = 0;
    QStringView name_;
    QStringView attributes_;
    bool selfClosing_ = false;
    QStringView raw_;
    bool cdata_ = false;
};

} // namespace kartello
