#include "runtime/Trap.h"
#include "runtime/testing/FakeUi.h"

#include <tessara/GridError.h>

#include <gtest/gtest.h>

#include <new>

using namespace kartello;

namespace {

struct RaiseCase {
    const char* what;
    std::function<void()> body;
    const char* message;
};

} // namespace

TEST(Trap, EveryErrorAProcedureMeetsBecomesItsMessageAfterTheCleanUp) {
    const RaiseCase cases[] = {
        {"run-time error", [] { throw RuntimeError(ErrDivisionByZero); },
         "Error 11 (Division by zero) in procedure faZ of form Main. Please review your data"},
        {"grid error", [] { throw tessara::GridError(30009, QStringLiteral("Invalid Row value")); },
         "Error 30009 (Invalid Row value) in procedure faZ of form Main. Please review your data"},
        {"out of memory", [] { throw std::bad_alloc(); },
         "Error 7 (Out of memory) in procedure faZ of form Main. Please review your data"},
        {"not understood", [] { throw RuntimeError(ErrNotUnderstood, QString()); },
         "Error 0 () in procedure faZ of form Main. Please review your data"},
        {"past the end", [] { throw RuntimeError(ErrInputPastEnd); },
         "Error 62 (Input past end of file) in procedure faZ of form Main. Please review your data"},
    };
    for (const RaiseCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeUi ui;
        ui.setBusy(true);
        std::vector<QString> order;
        Procedure p{QStringLiteral("faZ"), QStringLiteral(". Please review your data")};
        p.cleanUp = [&] {
            order.push_back(QStringLiteral("clean-up"));
            EXPECT_TRUE(ui.messages.empty());
        };
        EXPECT_FALSE(runProcedure(ui, p, c.body));
        ASSERT_EQ(order.size(), 1u);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(ui.messages[0].title, "Kartello");
        EXPECT_FALSE(ui.busy);
    }
}

TEST(Trap, APlainRunShowsNothingAndSkipsTheCleanUp) {
    FakeUi ui;
    bool cleaned = false, ran = false;
    Procedure p{QStringLiteral("ConstR")};
    p.cleanUp = [&] {
        cleaned = true;
    };
    EXPECT_TRUE(runProcedure(ui, p, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(cleaned);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Trap, OwnTextIconTitleAndSinkAreHonoured) {
    FakeUi ui;
    Procedure p(QStringLiteral("QuickSort33A"), QString(), QStringLiteral(" of Módulo Module1"));
    p.icon = MsgIcon::Exclamation;
    runProcedure(ui, p, [] { throw RuntimeError(ErrOverflow); });
    EXPECT_EQ(ui.lastMessage(),
              QStringLiteral("Error 6 (Overflow) in procedure QuickSort33A of Módulo Module1"));
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);

    p.text = [](const RuntimeError& e) {
        return QStringLiteral("Can't proceed: %1").arg(e.number);
    };
    QStringList sink;
    EXPECT_FALSE(
        runProcedure([&](const QString& m) { sink << m; }, p, [] { throw RuntimeError(ErrSubscript); }));
    EXPECT_EQ(sink, QStringList{QStringLiteral("Can't proceed: 9")});
}

TEST(Trap, OtherExceptionsPassThrough) {
    FakeUi ui;
    EXPECT_THROW(runProcedure(ui, Procedure{QStringLiteral("x")}, [] { throw std::logic_error("bug"); }),
                 std::logic_error);
}
