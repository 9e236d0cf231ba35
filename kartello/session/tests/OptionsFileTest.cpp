#include "session/OptionsFile.h"
#include "form/ControlNames.h"
#include "form/FormModel.h"
#include "runtime/RuntimeError.h"
#include "runtime/testing/FakeUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kartello;

namespace {

struct Session {
    FakeUi ui;
    FormModel form{ui};
    QString currentFile;
    Session() { form.startUp(); }
};

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// The 43 classic keys, then those added since.
const char* const kKeyOrder[] = {"[GraphTypeFlat]",
                                 "[GraphType3D]",
                                 "[Polygon sides]",
                                 "[VarSize]",
                                 "[CctSize]",
                                 "[VarHeight]",
                                 "[CctHeight]",
                                 "[VarColor]",
                                 "[CctColor]",
                                 "[PlaceNothing]",
                                 "[PlaceName]",
                                 "[PlaceValue]",
                                 "[PlaceNamVal]",
                                 "[Autosize]",
                                 "[SizeFactor]",
                                 "[Size]",
                                 "[SizeUnit]",
                                 "[AutoHeight]",
                                 "[HeightFactor]",
                                 "[HeightFixed]",
                                 "[Height]",
                                 "[HeightUnit]",
                                 "[Fill]",
                                 "[FillColor]",
                                 "[Outline]",
                                 "[OutColor]",
                                 "[ShowColorScale]",
                                 "[AutoColor]",
                                 "[MinScale]",
                                 "[MaxScale]",
                                 "[Grid]",
                                 "[GridColor]",
                                 "[TitleFontColor]",
                                 "[TitleBackColor]",
                                 "[TitleFontName]",
                                 "[TitleFontSize]",
                                 "[TitleFontBold]",
                                 "[TitleFontUnderline]",
                                 "[TitleFontItalic]",
                                 "[OpenGE]",
                                 "[FixOrder]",
                                 "[LogScale]",
                                 "[SqrScale]",
                                 "[ClassMethod]",
                                 "[ClassCount]",
                                 "[ClassHeight]",
                                 "[BmpOverlays]"};

TEST(OptionsFile, WritesTheClassicKeysThenTheNewOnesInOrderWithCrLf) {
    Session s;
    const QString text = optionsText(s.form);
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.left(text.size() - 2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 47);
    for (int i = 0; i < 47; ++i)
        EXPECT_TRUE(lines[i].startsWith(QLatin1String(kKeyOrder[i]) + QLatin1Char(',')))
            << lines[i].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("[Polygon sides],4"));
    EXPECT_EQ(lines[34], QStringLiteral("[TitleFontName],Arial"));
    EXPECT_EQ(lines[35], QStringLiteral("[TitleFontSize],20"));
    EXPECT_EQ(lines[36], QStringLiteral("[TitleFontBold],True"));
    EXPECT_EQ(lines.mid(43),
              (QStringList{"[ClassMethod],0", "[ClassCount],5", "[ClassHeight],0", "[BmpOverlays],0"}));
}

TEST(OptionsFile, ClassicFileOfFortyThreeKeysLoadsAndLeavesTheNewControls) {
    Session s;
    s.form.pickListItem(u"cboClassMethod", 2);
    loadOptionsFile(s.form, QStringLiteral(KARTELLO_EXAMPLES_DIR "/3d-by-value.ggo"));
    EXPECT_TRUE(s.form.isSet(u"Option1_1"));
    EXPECT_EQ(s.form.listIndex(u"cboClassMethod"), 2);
    EXPECT_EQ(s.form.text(u"cboClassCount"), QStringLiteral("5"));
}

TEST(OptionsFile, ClassesAndBmpOverlaysComeBack) {
    Session a, b;
    a.form.pickListItem(u"cboClassMethod", 3);
    a.form.pickListItem(u"cboClassCount", 4);
    a.form.setCheck(u"chkClassHeight", 1);
    a.form.setCheck(u"chkBmp", 1);
    const QString text = optionsText(a.form);
    EXPECT_TRUE(text.endsWith(QStringLiteral("[ClassMethod],3\r\n[ClassCount],7\r\n[ClassHeight],1\r\n"
                                             "[BmpOverlays],1\r\n")));
    applyOptionsText(b.form, text);
    EXPECT_EQ(b.form.listIndex(u"cboClassMethod"), 3);
    EXPECT_EQ(b.form.listIndex(u"cboClassCount"), 4);
    EXPECT_TRUE(b.form.isEnabled(u"cboClassCount")); // the method's handler ran
    EXPECT_EQ(b.form.value(u"chkClassHeight"), 1);
    EXPECT_EQ(b.form.value(u"chkBmp"), 1);
    EXPECT_EQ(optionsText(b.form), text);
    // A count the list does not offer is refused.
    EXPECT_THROW(applyOptionsText(b.form, u"[ClassCount],12\r\n"), RuntimeError);
}

TEST(OptionsFile, ValuesAreWrittenInTheirForms) {
    Session s;
    s.form.clickOption(ctl::Option1_1);
    s.form.clickOption(ctl::Option5_1);
    s.form.pickListItem(ctl::Combo4, 1);
    s.form.setText(ctl::txtHeight, QStringLiteral("250"));
    s.form.setBackColor(ctl::Picture1_1, 65280);
    s.form.setCheck(ctl::chkGrid, 1);
    const QString text = optionsText(s.form);
    for (const char* line : {"[GraphTypeFlat],False\r\n", "[GraphType3D],True\r\n", "[CctHeight],True\r\n",
                             "[VarHeight],False\r\n", "[HeightUnit],1\r\n", "[Height],250\r\n",
                             "[Grid],1\r\n", "[GridColor],65280\r\n", "[SizeUnit],-1\r\n"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line;
}

TEST(OptionsFile, SaveAndLoadRestoreChoicesAndUnitFactor) {
    QTemporaryDir dir;
    Session a;
    a.form.clickOption(ctl::Option1_1);
    a.form.clickOption(ctl::Option3_0);
    a.form.clickOption(ctl::Option5_1);
    a.form.pickListItem(ctl::Combo4, 1); // metres
    a.form.clickOption(ctl::Option2_1);
    a.ui.fileAnswers = {dir.filePath(QStringLiteral("preset.ggo"))};
    ASSERT_TRUE(saveOptions(a.form, a.ui, a.currentFile, QStringLiteral("Cities")));
    EXPECT_EQ(a.ui.dialogs.back().presetName, QStringLiteral("Cities.ggo"));
    EXPECT_EQ(a.ui.dialogs.back().title, QStringLiteral("Open"));

    Session b;
    b.ui.fileAnswers = {a.currentFile};
    ASSERT_TRUE(loadOptions(b.form, b.ui, b.currentFile));
    EXPECT_TRUE(b.form.isSet(ctl::Option1_1));
    EXPECT_TRUE(b.form.isSet(ctl::Option3_0));
    EXPECT_TRUE(b.form.isSet(ctl::Option5_1));
    EXPECT_TRUE(b.form.isSet(ctl::Option2_1));
    EXPECT_EQ(b.form.listIndex(ctl::Combo4), 1);
    EXPECT_DOUBLE_EQ(b.form.heightUnitFactor(), 1);
    EXPECT_EQ(b.currentFile, a.currentFile);
}

TEST(OptionsFile, FileWithOneKeyChangesOnlyThatControl) {
    Session a, b;
    applyOptionsText(b.form, u"[GraphType3D],True\r\n");
    EXPECT_TRUE(b.form.isSet(ctl::Option1_1));
    b.form.clearOption(ctl::Option1_1);
    EXPECT_EQ(optionsText(a.form), optionsText(b.form));
}

TEST(OptionsFile, TitleLinesAreReadThoughNeverWritten) {
    Session s;
    applyOptionsText(s.form, u"[Title1],My graph\r\n[Title2],\"Rain, 2024\"\r\n");
    EXPECT_EQ(s.form.text(ctl::Text1_0), QStringLiteral("My graph"));
    EXPECT_EQ(s.form.text(ctl::Text1_1), QStringLiteral("Rain, 2024"));
    EXPECT_FALSE(optionsText(s.form).contains(QStringLiteral("[Title1]")));
    EXPECT_FALSE(optionsText(s.form).contains(QStringLiteral("[Title2]")));
}

struct ColourCase {
    const char* name;
    const char* file;
    bool varColor, cctColor;
};

class ConstantColourTest : public testing::TestWithParam<ColourCase> {};

TEST_P(ConstantColourTest, ConstantColourComesBackUnlessColoursWereByValue) {
    Session s;
    applyOptionsText(s.form, QString::fromUtf8(GetParam().file));
    EXPECT_EQ(s.form.isSet(ctl::Option4_0), GetParam().varColor) << GetParam().name;
    EXPECT_EQ(s.form.isSet(ctl::Option4_1), GetParam().cctColor) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConstantColourTest,
    testing::Values(
        ColourCase{"saved with constant colours", "[VarColor],False\r\n[CctColor],True\r\n", false, true},
        ColourCase{"old file, constant size and variable colour",
                   "[CctSize],True\r\n[VarColor],True\r\n[CctColor],True\r\n", true, false},
        ColourCase{"old file, variable colour after the constant-size copy",
                   "[CctColor],True\r\n[VarColor],True\r\n", true, false},
        ColourCase{"constant colour not chosen", "[VarColor],False\r\n[CctColor],False\r\n", false, false}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(OptionsFile, ConstantColourSurvivesARoundTrip) {
    Session a, b;
    a.form.clickOption(ctl::Option4_1);
    applyOptionsText(b.form, optionsText(a.form));
    EXPECT_TRUE(b.form.isSet(ctl::Option4_1));
    EXPECT_FALSE(b.form.isSet(ctl::Option4_0));
}

TEST(OptionsFile, TextWithACommaIsQuotedAndComesBack) {
    Session a, b;
    a.form.setText(ctl::txtcsMIN, QStringLiteral("1,5"));
    a.form.setText(ctl::txtcsMAX, QStringLiteral("200"));
    applyOptionsText(b.form, optionsText(a.form));
    EXPECT_EQ(b.form.text(ctl::txtcsMIN), QStringLiteral("1,5"));
    EXPECT_EQ(b.form.text(ctl::txtcsMAX), QStringLiteral("200"));
}

TEST(OptionsFile, UnknownKeysAreSkippedWithTheirValue) {
    Session s;
    applyOptionsText(s.form, u"[Nonsense],42\r\n[Grid],1\r\n[graph type3d],True\r\n");
    EXPECT_EQ(s.form.value(ctl::chkGrid), 1);
    EXPECT_FALSE(s.form.isSet(ctl::Option1_1)); // keys are case-sensitive
}

TEST(OptionsFile, CheckingATransformClearsTheOther) {
    Session s;
    applyOptionsText(s.form, u"[LogScale],1\r\n[SqrScale],1\r\n");
    EXPECT_EQ(s.form.value(ctl::chkSqr), 1);
    EXPECT_EQ(s.form.value(ctl::chkLog), 0); // the handler ran
}

TEST(OptionsFile, ValueOfTheWrongFormIsReportedAndEarlierKeysStay) {
    QTemporaryDir dir;
    Session s;
    s.ui.fileAnswers = {writeFile(dir, "bad.ggo", "[GraphType3D],True\r\n[Grid],many\r\n[Autosize],1\r\n")};
    EXPECT_FALSE(loadOptions(s.form, s.ui, s.currentFile));
    EXPECT_EQ(s.ui.lastMessage(),
              QStringLiteral("Error 13 (Type mismatch) in procedure loadOptions of form Main"));
    EXPECT_TRUE(s.form.isSet(ctl::Option1_1));
    EXPECT_EQ(s.form.value(ctl::chKAutoCircleSize), 0);
}

TEST(OptionsFile, MissingFileIsReported) {
    Session s;
    s.ui.fileAnswers = {QStringLiteral("/nonexistent/x.ggo")};
    EXPECT_FALSE(loadOptions(s.form, s.ui, s.currentFile));
    EXPECT_EQ(s.ui.lastMessage(),
              QStringLiteral("Error 53 (File not found) in procedure loadOptions of form Main"));
}

TEST(OptionsFile, CancelledDialogsDoNothing) {
    Session s;
    EXPECT_FALSE(saveOptions(s.form, s.ui, s.currentFile, QString()));
    EXPECT_FALSE(loadOptions(s.form, s.ui, s.currentFile));
    EXPECT_TRUE(s.ui.messages.empty());
    EXPECT_TRUE(s.currentFile.isEmpty());
}

struct FormCase {
    const char* control;
    ValueForm form;
};

TEST(OptionsFile, ValueFormFollowsTheKindOfControl) {
    Session s;
    for (const FormCase& c :
         {FormCase{"Option4_1", ValueForm::Option}, FormCase{"chkNothing", ValueForm::Check},
          FormCase{"Text1_0", ValueForm::Text}, FormCase{"Combo2", ValueForm::TypedList},
          FormCase{"Combo3", ValueForm::ListIndex}, FormCase{"Picture1_4", ValueForm::Color},
          FormCase{"cboClassMethod", ValueForm::ListIndex}, FormCase{"cboClassCount", ValueForm::ListItem}})
        EXPECT_EQ(valueFormOf(s.form, QString::fromLatin1(c.control)), c.form) << c.control;
    EXPECT_EQ(valueFormOf(s.form, u"NoSuchControl"), std::nullopt);
    EXPECT_EQ(valueFormOf(s.form, ctl::Frame8), std::nullopt);
}

} // namespace
