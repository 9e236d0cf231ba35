#pragma once
// The corner rings of a point graph made ahead of the document on a second
// thread. The document takes the rings in place order; the places are cut
// into runs that whichever thread comes first works out, the helper at most a
// few runs ahead of the document, so that few rings wait in memory. A run
// stops at its first fault, which is raised when the document takes that
// place: it is reported as if the ring were made there.
#include <QByteArray>
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
    struct Run {
        QByteArray text;             // its rings one after the other
        std::vector<qsizetype> ends; // where each ring ends, up to a fault
        std::exception_ptr fault;    // of the place after the last ring
        bool done = false;
    };

    void help();
    void waitFor(int run);
    void fill(int run);

    const int places_;
    const Make make_;
    std::vector<Run> runs_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int claimed_ = 0; // runs below it are being or have been made
    int taking_ = -1; // the run the document takes from
    bool stop_ = false;
    QByteArray made_;    // a ring past a run's fault, made on the spot
    std::thread helper_; // started last, once the rest is set up
};

} // namespace kartello
