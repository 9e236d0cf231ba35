#include "runtime/RuntimeError.h"
#include "runtime/testing/FakeUi.h"

#include <gtest/gtest.h>

using namespace kartello;

TEST(RuntimeError, BuildsTheMessageTexts) {
    RuntimeError e(13);
    EXPECT_EQ(
        errorMessage(e, "Carrega", ". Review your input data"),
        QStringLiteral("Error 13 (Type mismatch) in procedure Carrega of form Main. Review your input data"));
    EXPECT_EQ(errorMessage(RuntimeError(9), "comRow_Click"),
              QStringLiteral("Error 9 (Subscript out of range) in procedure comRow_Click of form Main"));
    EXPECT_EQ(errorMessageOf(RuntimeError(6), "QuickSort33A", QStringLiteral(" of Módulo Module1")),
              QStringLiteral("Error 6 (Overflow) in procedure QuickSort33A of Módulo Module1"));
}

TEST(RuntimeError, ClassicDescriptions) {
    struct Case {
        int n;
        const char* d;
    } cases[] = {{5, "Invalid procedure call or argument"},
                 {6, "Overflow"},
                 {9, "Subscript out of range"},
                 {11, "Division by zero"},
                 {13, "Type mismatch"},
                 {53, "File not found"},
                 {75, "Path/File access error"},
                 {76, "Path not found"}};
    for (const Case& c : cases)
        EXPECT_EQ(errorDescription(c.n), QString::fromLatin1(c.d));
}

TEST(CheckedMath, TurnsFloatingFaultsIntoRuntimeErrors) {
    auto numberOf = [](auto f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(numberOf([] { checkedDiv(1, 0); }), 11);
    EXPECT_EQ(numberOf([] { checkedDiv(1e300, 1e-300); }), 6);
    EXPECT_EQ(numberOf([] { checkedLog(0); }), 5);
    EXPECT_EQ(numberOf([] { checkedLog(-1); }), 5);
    EXPECT_EQ(numberOf([] { checkedSqrt(-1); }), 5);
    EXPECT_EQ(numberOf([] { checkedFinite(std::numeric_limits<double>::quiet_NaN()); }), 6);
    EXPECT_EQ(checkedDiv(6, 3), 2);
    EXPECT_DOUBLE_EQ(checkedLog(1), 0);
}

TEST(FakeUi, RecordsMessagesAndAnswersFromTheScript) {
    FakeUi ui;
    ui.answers.push_back(MsgAnswer::Yes);
    ui.fileAnswers.push_back(QStringLiteral("/tmp/a.kml"));
    EXPECT_EQ(ui.messageBox("Proceed ?", "Warning", MsgIcon::Exclamation, MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(ui.messageBox("again", "Warning", MsgIcon::Exclamation, MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(ui.openFileDialog("Open", "kml", "*.kml", ""), QStringLiteral("/tmp/a.kml"));
    EXPECT_FALSE(ui.saveFileDialog("Save", "kml", "*.kml", "").has_value());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("Warning"));
    EXPECT_EQ(ui.dialogs.size(), 2u);
}
