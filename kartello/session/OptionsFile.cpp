#include "session/OptionsFile.h"
#include "form/ControlNames.h"

#include "form/FormModel.h"
#include "runtime/AtomicFile.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

#include <QFile>
#include <cmath>
#include <vector>

namespace kartello {

namespace {

struct OptionKey {
    const char* key;
    QStringView control;
    ValueForm form;
};

// The keys in the order they are written.
const OptionKey kKeys[] = {
    {"[GraphTypeFlat]", ctl::Option1_0, ValueForm::Option},
    {"[GraphType3D]", ctl::Option1_1, ValueForm::Option},
    {"[Polygon sides]", ctl::Combo1, ValueForm::TypedList},
    {"[VarSize]", ctl::Option3_0, ValueForm::Option},
    {"[CctSize]", ctl::Option3_1, ValueForm::Option},
    {"[VarHeight]", ctl::Option5_0, ValueForm::Option},
    {"[CctHeight]", ctl::Option5_1, ValueForm::Option},
    {"[VarColor]", ctl::Option4_0, ValueForm::Option},
    // The constant-colour button: a preset made with constant colours must
    // come back with constant colours (see applyOptionsText for old files).
    {"[CctColor]", ctl::Option4_1, ValueForm::Option},
    {"[PlaceNothing]", ctl::Option2_0, ValueForm::Option},
    {"[PlaceName]", ctl::Option2_1, ValueForm::Option},
    {"[PlaceValue]", ctl::Option2_2, ValueForm::Option},
    {"[PlaceNamVal]", ctl::Option2_3, ValueForm::Option},
    {"[Autosize]", ctl::chKAutoCircleSize, ValueForm::Check},
    {"[SizeFactor]", ctl::TxtCircRaio, ValueForm::Text},
    {"[Size]", ctl::txtRaio, ValueForm::Text},
    {"[SizeUnit]", ctl::Combo3, ValueForm::ListIndex},
    {"[AutoHeight]", ctl::chkAutom, ValueForm::Check},
    {"[HeightFactor]", ctl::txtHeightPoly, ValueForm::Text},
    {"[HeightFixed]", ctl::txtHeightFixed, ValueForm::Text},
    {"[Height]", ctl::txtHeight, ValueForm::Text},
    {"[HeightUnit]", ctl::Combo4, ValueForm::ListIndex},
    {"[Fill]", ctl::chkFillCS, ValueForm::Check},
    {"[FillColor]", ctl::Picture1_6, ValueForm::Color},
    {"[Outline]", ctl::chkOutlineCS, ValueForm::Check},
    {"[OutColor]", ctl::Picture1_7, ValueForm::Color},
    {"[ShowColorScale]", ctl::chKCScale, ValueForm::Check},
    {"[AutoColor]", ctl::autoColoScale, ValueForm::Check},
    {"[MinScale]", ctl::txtcsMIN, ValueForm::Text},
    {"[MaxScale]", ctl::txtcsMAX, ValueForm::Text},
    {"[Grid]", ctl::chkGrid, ValueForm::Check},
    {"[GridColor]", ctl::Picture1_1, ValueForm::Color},
    {"[TitleFontColor]", ctl::Picture1_2, ValueForm::Color},
    {"[TitleBackColor]", ctl::Picture1_3, ValueForm::Color},
    {"[TitleFontName]", ctl::Picture2, ValueForm::FontName},
    {"[TitleFontSize]", ctl::Picture2, ValueForm::FontSize},
    {"[TitleFontBold]", ctl::Picture2, ValueForm::FontBold},
    {"[TitleFontUnderline]", ctl::Picture2, ValueForm::FontUnderline},
    {"[TitleFontItalic]", ctl::Picture2, ValueForm::FontItalic},
    {"[OpenGE]", ctl::chkOpen, ValueForm::Check},
    {"[FixOrder]", ctl::chkFix, ValueForm::Check},
    {"[LogScale]", ctl::chkLog, ValueForm::Check},
    {"[SqrScale]", ctl::chkSqr, ValueForm::Check},
    // Added after the classic 43, so that a file of either kind loads in both.
    {"[ClassMethod]", ctl::cboClassMethod, ValueForm::ListIndex},
    {"[ClassCount]", ctl::cboClassCount, ValueForm::ListItem},
    {"[ClassHeight]", ctl::chkClassHeight, ValueForm::Check},
    {"[BmpOverlays]", ctl::chkBmp, ValueForm::Check},
};

// Read, never written: the two title lines.
const OptionKey kReadOnlyKeys[] = {
    {"[Title1]", ctl::Text1_0, ValueForm::Text},
    {"[Title2]", ctl::Text1_1, ValueForm::Text},
};

const OptionKey* findKey(QStringView key) {
    for (const OptionKey& k : kKeys)
        if (key == QLatin1String(k.key))
            return &k;
    for (const OptionKey& k : kReadOnlyKeys)
        if (key == QLatin1String(k.key))
            return &k;
    return nullptr;
}

QString boolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

bool parseBool(const QString& v) {
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (isNumber(v))
        return readNumber(v) != 0;
    throw RuntimeError(ErrTypeMismatch);
}

double parseNumber(const QString& v) {
    if (!isNumber(v))
        throw RuntimeError(ErrTypeMismatch);
    return readNumber(v);
}

int parseWhole(const QString& v, double lo, double hi) {
    const double n = parseNumber(v);
    if (n != std::floor(n))
        throw RuntimeError(ErrTypeMismatch);
    if (n < lo || n > hi)
        throw RuntimeError(ErrInvalidCall);
    return int(n);
}

// A text value that holds a comma or a quote is written in quotes, so the
// pairing of keys and values survives the reading back.
QString textValue(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.remove(QLatin1Char('"'));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString valueText(const FormModel& form, const OptionKey& k) {
    const QStringView name = k.control;
    const FontChoice font = form.titleFont();
    switch (k.form) {
    case ValueForm::Option:
        return boolText(form.value(name) != 0);
    case ValueForm::Check:
        return QString::number(form.value(name));
    case ValueForm::Text:
    case ValueForm::TypedList:
        return textValue(form.text(name));
    case ValueForm::ListIndex:
        return QString::number(form.listIndex(name));
    case ValueForm::ListItem:
        return textValue(form.text(name));
    case ValueForm::Color:
        return QString::number(form.backColor(name));
    case ValueForm::FontName:
        return textValue(font.name);
    case ValueForm::FontSize:
        return numberText(font.size);
    case ValueForm::FontBold:
        return boolText(font.bold);
    case ValueForm::FontUnderline:
        return boolText(font.underline);
    case ValueForm::FontItalic:
        return boolText(font.italic);
    }
    return QString();
}

struct Field {
    QString text;
    bool quoted = false;
};

// Fields end at a comma or a line break; blanks around a field are dropped;
// a field in double quotes may hold commas.
std::vector<Field> splitFields(QStringView s) {
    std::vector<Field> fields;
    qsizetype i = 0;
    const qsizetype n = s.size();
    const auto isBreak = [](QChar c) {
        return c == QLatin1Char('\r') || c == QLatin1Char('\n');
    };
    while (i < n) {
        while (i < n && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('\t')))
            ++i;
        Field f;
        if (i < n && s[i] == QLatin1Char('"')) {
            const qsizetype close = s.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            f.text = s.mid(i + 1, end - i - 1).toString();
            f.quoted = true;
            i = close < 0 ? n : close + 1;
            while (i < n && s[i] != QLatin1Char(',') && !isBreak(s[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && s[i] != QLatin1Char(',') && !isBreak(s[i]))
                ++i;
            f.text = s.mid(start, i - start).trimmed().toString();
        }
        if (i < n && s[i] == QLatin1Char(',')) {
            ++i;
        } else {
            if (i < n && s[i] == QLatin1Char('\r'))
                ++i;
            if (i < n && s[i] == QLatin1Char('\n'))
                ++i;
        }
        // Numbers are read as numbers, so "1.50" comes back as 1.5.
        if (!f.quoted && isNumber(f.text))
            f.text = numberText(readNumber(f.text));
        fields.push_back(std::move(f));
    }
    return fields;
}

// A Boolean field read for a decision only: anything that is not True reads False.
bool parseBoolOr(const QString& v) {
    try {
        return parseBool(v);
    } catch (const RuntimeError&) {
        return false;
    }
}

const QString kFilter = QStringLiteral("Kartello options (*.ggo)|*.ggo|All files(*.*)|*.*|");

} // namespace

QString optionsText(const FormModel& form) {
    QString out;
    for (const OptionKey& k : kKeys)
        out += QLatin1String(k.key) + QLatin1Char(',') + valueText(form, k) + QStringLiteral("\r\n");
    return out;
}

void applyValue(FormModel& form, QStringView control, ValueForm valueForm, const QString& value) {
    switch (valueForm) {
    case ValueForm::Option:
        if (parseBool(value))
            form.clickOption(control);
        else
            form.clearOption(control);
        return;
    case ValueForm::Check:
        form.setCheck(control, parseWhole(value, 0, 2));
        return;
    case ValueForm::Text:
        form.setText(control, value);
        return;
    case ValueForm::TypedList:
        form.editText(control, value);
        return;
    case ValueForm::ListIndex:
        form.pickListItem(control, parseWhole(value, -1, double(form.control(control).list.size()) - 1));
        return;
    case ValueForm::ListItem: {
        const qsizetype index = form.control(control).list.indexOf(value);
        if (index < 0)
            throw RuntimeError(ErrInvalidCall);
        form.pickListItem(control, int(index));
        return;
    }
    case ValueForm::Color:
        form.setBackColor(control, Rgb(parseWhole(value, 0, 0xFFFFFF)));
        return;
    default:
        break;
    }
    FontChoice font = form.titleFont();
    switch (valueForm) {
    case ValueForm::FontName:
        font.name = value;
        break;
    case ValueForm::FontSize:
        font.size = parseNumber(value);
        if (!(font.size > 0 && font.size < 2048))
            throw RuntimeError(ErrInvalidCall);
        break;
    case ValueForm::FontBold:
        font.bold = parseBool(value);
        break;
    case ValueForm::FontUnderline:
        font.underline = parseBool(value);
        break;
    case ValueForm::FontItalic:
        font.italic = parseBool(value);
        break;
    default:
        break;
    }
    form.setTitleFont(font);
}

std::optional<ValueForm> valueFormOf(const FormModel& form, QStringView control) {
    if (!form.has(control))
        return std::nullopt;
    switch (form.control(control).kind) {
    case ControlKind::OptionButton:
        return ValueForm::Option;
    case ControlKind::CheckBox:
        return ValueForm::Check;
    case ControlKind::TextBox:
        return ValueForm::Text;
    case ControlKind::ComboBox:
        if (control == ctl::Combo3 || control == ctl::Combo4 || control == ctl::cboClassMethod)
            return ValueForm::ListIndex;
        return control == ctl::cboClassCount ? ValueForm::ListItem : ValueForm::TypedList;
    case ControlKind::PictureBox:
        return ctl::isElementOf(control, ctl::Picture1) ? std::optional(ValueForm::Color) : std::nullopt;
    case ControlKind::Image:
        return ctl::isElementOf(control, ctl::Image1) ? std::optional(ValueForm::Color) : std::nullopt;
    default:
        return std::nullopt;
    }
}

void applyOptionsText(FormModel& form, QStringView text) {
    const std::vector<Field> fields = splitFields(text);
    // Files written before [CctColor] carried the constant-colour button hold
    // the constant-size state there; such a True only selects constant
    // colours when the same file did not choose colours by value.
    bool varColorTrue = false;
    for (size_t i = 0; i + 1 < fields.size(); i += 2)
        if (fields[i].text == u"[VarColor]" && parseBoolOr(fields[i + 1].text))
            varColorTrue = true;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        const OptionKey* k = findKey(fields[i].text);
        if (!k)
            continue;
        const QString& value = fields[i + 1].text;
        if (QLatin1String(k->key) == u"[CctColor]") {
            if (!varColorTrue && parseBool(value))
                form.clickOption(ctl::Option4_1);
            continue;
        }
        applyValue(form, k->control, k->form, value);
    }
}

void loadOptionsFile(FormModel& form, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrFileNotFound);
    applyOptionsText(form, QString::fromUtf8(f.readAll()));
}

bool saveOptions(FormModel& form, Ui& ui, QString& currentFile, const QString& graphBaseName) {
    const auto path = ui.saveFileDialog(QStringLiteral("Open"), kFilter, QStringLiteral("*.ggo"),
                                        graphBaseName + QStringLiteral(".ggo"));
    if (!path || path->isEmpty())
        return false;
    currentFile = *path;
    return runProcedure(ui, Procedure{QStringLiteral("saveOptions")},
                        [&] { writeFileAtomically(*path, optionsText(form).toUtf8()); });
}

bool loadOptions(FormModel& form, Ui& ui, QString& currentFile) {
    const auto path = ui.openFileDialog(QStringLiteral("Open"), kFilter, QStringLiteral("*.ggo"), QString());
    if (!path || path->isEmpty())
        return false;
    currentFile = *path;
    return runProcedure(ui, Procedure{QStringLiteral("loadOptions")}, [&] { loadOptionsFile(form, *path); });
}

} // namespace kartello
