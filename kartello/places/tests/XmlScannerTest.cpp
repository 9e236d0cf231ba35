#include "places/XmlScanner.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace kartello;

namespace {

// The tokens of a text as "<a>", "</a>", "<a/>" and "[text]".
QString tokens(QStringView xml) {
    XmlScanner s(xml);
    QString out;
    for (XmlScanner::Token t = s.next(); t != XmlScanner::End; t = s.next()) {
        if (t == XmlScanner::StartTag)
            out += QStringLiteral("<") + s.name().toString() +
                   (s.selfClosing() ? QStringLiteral("/>") : QStringLiteral(">"));
        else if (t == XmlScanner::EndTag)
            out += QStringLiteral("</") + s.name().toString() + QStringLiteral(">");
        else
            out += QStringLiteral("[") + s.text() + QStringLiteral("]");
    }
    return out;
}

} // namespace

TEST(XmlScanner, Tokens) {
    struct Case {
        const char16_t* xml;
        const char16_t* expected;
    } cases[] = {
        {u"<a>x</a>", u"<a>[x]</a>"},
        {u"<?xml version=\"1.0\"?><!DOCTYPE kml><a/>", u"<a/>"},
        {u"<kml:Placemark id=\"p>1\" b='2'>t</kml:Placemark>", u"<Placemark>[t]</Placemark>"},
        {u"<a><!-- <b>x</b> -->y</a>", u"<a>[y]</a>"},
        {u"<a><![CDATA[<b>&amp;</b>]]></a>", u"<a>[<b>&amp;</b>]</a>"},
        {u"<a>1 &lt; 2 &amp;&amp; &#233;&#xE9; &bogus; &</a>", u"<a>[1 < 2 && éé &bogus; &]</a>"},
        {u"<a>cut", u"<a>[cut]"},
        {u"<a>x</a><b", u"<a>[x]</a>"},
        {u"<a><![CDATA[open", u"<a>[open]"},
        {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tokens(QStringView(c.xml)), QStringView(c.expected))
            << QString::fromUtf16(c.xml).toStdString();
}

TEST(XmlScanner, ElementTextIncludesChildrenAndConsumesTheEnd) {
    XmlScanner s(u"<name>Ca<b>sa</b> &amp; co</name><x/>");
    ASSERT_EQ(s.next(), XmlScanner::StartTag);
    EXPECT_EQ(s.elementText(), "Casa & co");
    ASSERT_EQ(s.next(), XmlScanner::StartTag);
    EXPECT_EQ(s.name(), u"x");
    EXPECT_EQ(s.next(), XmlScanner::End);
}

TEST(XmlScanner, DecodesReferences) {
    EXPECT_EQ(decodeXmlText(u"&quot;&apos;&gt;"), "\"'>");
    EXPECT_EQ(decodeXmlText(u"&#0;&#xD800;"), QString::fromUtf8("\xEF\xBF\xBD\xEF\xBF\xBD"));
    EXPECT_EQ(decodeXmlText(u"&#x1F30D;"), QString::fromUtf8("\xF0\x9F\x8C\x8D"));
    EXPECT_EQ(decodeXmlText(u"plain"), "plain");
    EXPECT_EQ(decodeXmlText(u"R&D;Lab &amp;&abcdefghijklmn;"), "R&D;Lab &&abcdefghijklmn;");
}

// A name of many bare "&" reads in one pass (each "&" looks only as far as a
// reference can reach), not in time growing with the square of its length.
TEST(XmlScanner, ManyAmpersandsReadInLinearTime) {
    const QString text = QString(400000, u'&') + u';';
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(decodeXmlText(text), text);
    EXPECT_LT(timer.elapsed(), 3000);
}
