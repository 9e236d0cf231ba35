#include "graph/RingsAhead.h"
#include "runtime/RuntimeError.h"

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <set>

#include <gtest/gtest.h>

using namespace kartello;

namespace {

// "<i>;" for place i, nothing for every seventh place (one without a
// ring), and a run-time error numbered i at the places given.
struct Places {
    std::set<int> faults;
    std::atomic<int> made{0};

    RingsAhead::Make maker() {
        return [this](int i, QByteArray& out) {
            ++made;
            if (faults.count(i))
                throw RuntimeError(i, QStringLiteral("place"));
            if (i % 7 != 3)
                out += QByteArray::number(i) + ';';
        };
    }
};

QByteArray expected(int i) {
    return i % 7 == 3 ? QByteArray() : QByteArray::number(i) + ';';
}

struct TakeCase {
    const char* name;
    int places;
    std::vector<int> taken; // empty: every place
};

class RingsTaken : public testing::TestWithParam<TakeCase> {};

TEST_P(RingsTaken, AreEachPlacesOwnWhateverThreadMadeThem) {
    Places places;
    RingsAhead rings(GetParam().places, places.maker());
    std::vector<int> taken = GetParam().taken;
    for (int i = 0; taken.empty() && i < GetParam().places; ++i)
        taken.push_back(i);
    for (const int i : taken)
        EXPECT_EQ(rings.take(i).toByteArray(), expected(i)) << i;
}

INSTANTIATE_TEST_SUITE_P(Counts, RingsTaken,
                         testing::Values(TakeCase{"one", 1, {}}, TakeCase{"a_run", 32, {}},
                                         TakeCase{"a_run_and_one", 33, {}}, TakeCase{"many_runs", 5000, {}},
                                         // Places without a ring are skipped, runs and all.
                                         TakeCase{"skipping", 5000, {0, 1, 31, 32, 700, 701, 2500, 4999}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RingsAhead, FaultIsRaisedAtItsPlaceAndNotBefore) {
    Places places;
    places.faults = {1700, 1701};
    RingsAhead rings(5000, places.maker());
    for (int i = 0; i < 1700; ++i)
        ASSERT_EQ(rings.take(i).toByteArray(), expected(i)) << i;
    for (const int i : {1700, 1701}) {
        try {
            rings.take(i);
            ADD_FAILURE() << i;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, i);
        }
    }
}

TEST(RingsAhead, DocumentNeverWaitsForAHelperThatGetsNoProcessor) {
    const std::thread::id document = std::this_thread::get_id();
    std::promise<void> gate;
    const std::shared_future<void> open = gate.get_future().share();
    // The helper is held inside its first ring until every ring is taken.
    RingsAhead rings(500, [&](int i, QByteArray& out) {
        if (std::this_thread::get_id() != document)
            open.wait();
        out += QByteArray::number(i) + ';';
    });
    // Let go before the rings end, however the test ends.
    const std::unique_ptr<void, std::function<void(void*)>> letGo(&gate, [&](void*) { gate.set_value(); });
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(rings.take(i).toByteArray(), QByteArray::number(i) + ';') << i;
}

TEST(RingsAhead, HelperStopsAStretchAheadAndEndsWithTheRings) {
    Places places;
    {
        RingsAhead rings(5000, places.maker());
        EXPECT_EQ(rings.take(0).toByteArray(), "0;");
    }
    // A document that stops early (a "No" to a question) leaves little made
    // and no thread running.
    EXPECT_LT(places.made.load(), 1000);
}

} // namespace
