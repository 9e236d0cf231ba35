#include "places/XmlScanner.h"

namespace kartello {

namespace {

bool isNameEnd(QChar c) {
    return c.isSpace() || c == u'/' || c == u'>';
}

void appendCodePoint(QString& out, uint cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x10000) {
        out.append(QChar(char16_t(cp)));
    } else {
        out.append(QChar::highSurrogate(cp));
        out.append(QChar::lowSurrogate(cp));
    }
}

// One reference starting at raw[i] == '&'; returns its length, 0 when not one.
qsizetype reference(QStringView raw, qsizetype i, QString& out) {
    // No reference is longer than 12 characters; looking further would make
    // a text of many bare "&" quadratic.
    const qsizetype found = raw.mid(i + 1, 12).indexOf(u';');
    if (found < 0)
        return 0;
    const qsizetype semi = i + 1 + found;
    const QStringView body = raw.mid(i + 1, semi - i - 1);
    static const struct {
        const char16_t* name;
        char16_t ch;
    } named[] = {{u"lt", u'<'}, {u"gt", u'>'}, {u"amp", u'&'}, {u"quot", u'"'}, {u"apos", u'\''}};
    for (const auto& n : named)
        if (body == QStringView(n.name)) {
            out.append(QChar(n.ch));
            return semi - i + 1;
        }
    if (body.size() < 2 || body[0] != u'#')
        return 0;
    bool ok = false;
    const uint cp =
        body[1] == u'x' || body[1] == u'X' ? body.mid(2).toUInt(&ok, 16) : body.mid(1).toUInt(&ok, 10);
    if (!ok)
        return 0;
    appendCodePoint(out, cp);
    return semi - i + 1;
}

} // namespace

QString decodeXmlText(QStringView raw) {
    if (!raw.contains(u'&'))
        return raw.toString();
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        if (raw[i] == u'&') {
            const qsizetype n = reference(raw, i, out);
            if (n > 0) {
                i += n;
                continue;
            }
        }
        out.append(raw[i]);
        ++i;
    }
    return out;
}

bool XmlScanner::skipPast(QStringView marker) {
    const qsizetype at = t_.indexOf(marker, pos_);
    pos_ = at < 0 ? t_.size() : at + marker.size();
    return at >= 0;
}

XmlScanner::Token XmlScanner::next() {
    while (pos_ < t_.size()) {
        if (t_[pos_] != u'<') {
            qsizetype lt = t_.indexOf(u'<', pos_);
            if (lt < 0)
                lt = t_.size();
            raw_ = t_.mid(pos_, lt - pos_);
            cdata_ = false;
            pos_ = lt;
            return Text;
        }
        const QStringView rest = t_.mid(pos_);
        if (rest.startsWith(u"<!--")) {
            skipPast(u"-->");
        } else if (rest.startsWith(u"<![CDATA[")) {
            const qsizetype from = pos_ + 9;
            const bool closed = skipPast(u"]]>");
            raw_ = t_.mid(from, pos_ - from - (closed ? 3 : 0));
            cdata_ = true;
            return Text;
        } else if (rest.startsWith(u"<?")) {
            skipPast(u"?>");
        } else if (rest.startsWith(u"<!")) {
            skipPast(u">");
        } else {
            const Token token = tag();
            if (token != End)
                return token;
        }
    }
    return End;
}

XmlScanner::Token XmlScanner::tag() {
    qsizetype i = pos_ + 1;
    const bool closing = i < t_.size() && t_[i] == u'/';
    if (closing)
        ++i;
    const qsizetype nameStart = i;
    while (i < t_.size() && !isNameEnd(t_[i]))
        ++i;
    QStringView qualified = t_.mid(nameStart, i - nameStart);
    // Attributes may hold '>' inside quotes.
    QChar quote;
    while (i < t_.size()) {
        const QChar c = t_[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            break;
        }
        ++i;
    }
    if (i >= t_.size()) { // a tag cut off by the end of the file
        pos_ = t_.size();
        return End;
    }
    attributes_ = t_.mid(nameStart + qualified.size(), i - nameStart - qualified.size());
    selfClosing_ = !closing && t_[i - 1] == u'/';
    pos_ = i + 1;
    name_ = qualified.mid(qualified.lastIndexOf(u':') + 1);
    return closing ? EndTag : StartTag;
}

QString XmlScanner::attribute(QStringView wanted) const {
    const QStringView a = attributes_;
    qsizetype i = 0;
    while (i < a.size()) {
        while (i < a.size() && (a[i].isSpace() || a[i] == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < a.size() && a[i] != u'=' && !a[i].isSpace())
            ++i;
        const QStringView name = a.mid(nameStart, i - nameStart);
        while (i < a.size() && a[i].isSpace())
            ++i;
        if (i >= a.size() || a[i] != u'=')
            continue;
        ++i;
        while (i < a.size() && a[i].isSpace())
            ++i;
        if (i >= a.size() || (a[i] != u'"' && a[i] != u'\''))
            return QString();
        const QChar quote = a[i];
        const qsizetype close = a.indexOf(quote, i + 1);
        const qsizetype end = close < 0 ? a.size() : close;
        if (name == wanted)
            return decodeXmlText(a.mid(i + 1, end - i - 1));
        i = end + 1;
    }
    return QString();
}

QString XmlScanner::elementText() {
    if (selfClosing_)
        return QString();
    QString collected;
    int depth = 1;
    while (depth > 0) {
        switch (next()) {
        case Text:
            collected += text();
            break;
        case StartTag:
            if (!selfClosing_)
                ++depth;
            break;
        case EndTag:
            --depth;
            break;
        case End:
            return collected;
        }
    }
    return collected;
}

} // namespace kartello
