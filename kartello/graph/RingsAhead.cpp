#include "graph/RingsAhead.h"

#include <algorithm>
#include <system_error>

namespace kartello {

namespace {

// How far the helper may run ahead (some 600 KB of rings for 50 sides), how
// far it jumps when the document has caught up with it, and the fewest places
// worth a thread.
constexpr int kAhead = 256;
constexpr int kJump = 16;
constexpr int kFewest = 64;

} // namespace

RingsAhead::RingsAhead(int places, Make make)
    : places_(places), make_(std::move(make)), rings_(std::max(places, 0)) {
    if (places_ < kFewest)
        return;
    try {
        helper_ = std::thread(&RingsAhead::help, this);
    } catch (const std::system_error&) {
        // No thread to be had: the document makes every ring itself.
    }
}

RingsAhead::~RingsAhead() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    moved_.notify_one();
    if (helper_.joinable())
        helper_.join();
}

QByteArrayView RingsAhead::take(int i) {
    if (lastMade_ >= 0)
        rings_[lastMade_].text = QByteArray(); // no longer read
    lastMade_ = -1;
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        taking_ = i;
        wake = resumeAt_ >= 0 && i >= resumeAt_;
        if (wake)
            resumeAt_ = -1;
    }
    if (wake)
        moved_.notify_one();
    Ring& ring = rings_[i];
    int state = Waiting;
    if (ring.state.compare_exchange_strong(state, Passed, std::memory_order_acquire)) {
        own_.resize(0);
        make_(i, own_);
        return own_;
    }
    lastMade_ = i;
    if (ring.fault)
        std::rethrow_exception(ring.fault);
    return ring.text;
}

void RingsAhead::help() {
    int next = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (next >= taking_ + kAhead) {
                // Far enough ahead: it sleeps until the document has taken
                // half the stretch, not woken for every ring.
                resumeAt_ = next - kAhead / 2;
                moved_.wait(lock, [&] { return stop_ || resumeAt_ < 0; });
            }
            if (stop_)
                return;
            // Passed over: the document makes the next stretch itself.
            if (next <= taking_)
                next = taking_ + kJump;
        }
        if (next >= places_)
            return;
        makeAhead(rings_[next], next);
        ++next;
    }
}

void RingsAhead::makeAhead(Ring& ring, int i) {
    if (ring.state.load(std::memory_order_relaxed) != Waiting)
        return;
    try {
        make_(i, ring.text);
    } catch (...) {
        ring.fault = std::current_exception();
    }
    int state = Waiting;
    if (!ring.state.compare_exchange_strong(state, Made, std::memory_order_release)) {
        // The document came first and made it itself.
        ring.text = QByteArray();
        ring.fault = nullptr;
    }
}

} // namespace kartello
