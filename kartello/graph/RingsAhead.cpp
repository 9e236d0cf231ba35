#include "graph/RingsAhead.h"

#include <algorithm>

namespace kartello {

namespace {

// A run of 32 places is a few hundred microseconds of work, long beside the
// hand-over between the threads; eight of them ahead hold some 600 KB.
constexpr int kRunPlaces = 32;
constexpr int kRunsAhead = 8;

} // namespace

RingsAhead::RingsAhead(int places, Make make)
    : places_(places), make_(std::move(make)), runs_((std::max(places, 0) + kRunPlaces - 1) / kRunPlaces) {
    // A graph of one run is made on the spot.
    if (runs_.size() > 1)
        helper_ = std::thread(&RingsAhead::help, this);
}

RingsAhead::~RingsAhead() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    if (helper_.joinable())
        helper_.join();
}

QByteArrayView RingsAhead::take(int i) {
    const int r = i / kRunPlaces;
    waitFor(r);
    const Run& run = runs_[r];
    const qsizetype k = i - r * kRunPlaces;
    if (k < qsizetype(run.ends.size())) {
        const qsizetype from = k == 0 ? 0 : run.ends[k - 1];
        return QByteArrayView(run.text).sliced(from, run.ends[k] - from);
    }
    if (k == qsizetype(run.ends.size()) && run.fault)
        std::rethrow_exception(run.fault);
    // Past the fault that ended the run.
    made_.resize(0);
    make_(i, made_);
    return made_;
}

void RingsAhead::help() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] {
            return stop_ || claimed_ >= int(runs_.size()) || claimed_ <= taking_ + kRunsAhead;
        });
        if (stop_ || claimed_ >= int(runs_.size()))
            return;
        const int r = claimed_++;
        lock.unlock();
        fill(r);
        lock.lock();
        runs_[r].done = true;
        changed_.notify_all();
    }
}

// Makes the run when no thread has taken it up, else waits until it is made.
void RingsAhead::waitFor(int r) {
    std::unique_lock lock(mutex_);
    if (r != taking_) {
        // The run left behind is no longer read; the helper may go further.
        if (taking_ >= 0)
            runs_[taking_].text = QByteArray();
        taking_ = r;
        changed_.notify_all();
    }
    if (r >= claimed_) {
        // Runs passed over hold no ring the document takes.
        claimed_ = r + 1;
        lock.unlock();
        fill(r);
        lock.lock();
        runs_[r].done = true;
        return;
    }
    changed_.wait(lock, [&] { return runs_[r].done; });
}

void RingsAhead::fill(int r) {
    Run& run = runs_[r];
    const int end = std::min(places_, (r + 1) * kRunPlaces);
    for (int i = r * kRunPlaces; i < end; ++i) {
        try {
            make_(i, run.text);
        } catch (...) {
            run.fault = std::current_exception();
            return;
        }
        run.ends.push_back(run.text.size());
    }
}

} // namespace kartello
