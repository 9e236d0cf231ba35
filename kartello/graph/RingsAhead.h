#pragma once
// The corner rings of a point graph made ahead of the document on a second
// thread. The document takes the rings in place order and never waits: a
// ring the helper has not finished, the document makes itself, and the
// helper, passed over, starts again a stretch further on. So the two share
// the work as their speeds allow, and a helper that gets no processor costs
// nothing but a ring now and then made twice. A fault is kept with its ring
// and raised when the document takes it: it is reported as if the ring were
// made there.
#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kartello {

class RingsAhead {
public:
    // Appends the ring of place i to out (nothing for a place without one).
    // Both threads call it: it may only read what the document leaves alone.
    using Make = std::function<void(int i, QByteArray& out)>;

    RingsAhead(int places, Make make);
    // Stops the helper and waits for it: no thread outlives the rings.
    ~RingsAhead();
    RingsAhead(const RingsAhead&) = delete;
    RingsAhead& operator=(const RingsAhead&) = delete;

    // Ring i, valid until the next call, or raises what making it raised.
    // Each call takes a place after the one before.
    QByteArrayView take(int i);

private:
    // Waiting: nobody has it yet; Made: the helper's text is the ring;
    // Passed: the document made it itself.
    enum State : int { Waiting, Made, Passed };
    struct Ring {
        std::atomic<int> state{Waiting};
        QByteArray text;
        std::exception_ptr fault;
    };

    void help();
    void makeAhead(Ring& ring, int i);

    const int places_;
    const Make make_;
    std::vector<Ring> rings_;
    int lastMade_ = -1; // the helper's ring the document took last
    QByteArray own_;    // the ring the document made itself last
    std::mutex mutex_;
    std::condition_variable moved_;
    int taking_ = -1;   // the ring the document takes, under mutex_
    int resumeAt_ = -1; // where the sleeping helper is to be woken, or -1
    bool stop_ = false;
    std::thread helper_; // started last, once the rest is set up
};

} // namespace kartello
