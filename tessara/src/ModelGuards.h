#pragma once
// Scope guards of the grid's operations: whatever way an operation ends (done,
// or stopped by a trapped error), the host's Redraw setting comes back and the
// announced restructuring is closed.
#include "tessara/GridModel.h"

namespace tessara {

class SuspendedRedraw {
public:
    explicit SuspendedRedraw(GridModel& model) : model_(model), was_(model.Redraw()) {
        model_.setRedraw(false);
    }
    ~SuspendedRedraw() { model_.setRedraw(was_); }
    SuspendedRedraw(const SuspendedRedraw&) = delete;
    SuspendedRedraw& operator=(const SuspendedRedraw&) = delete;

private:
    GridModel& model_;
    bool was_;
};

class Restructure {
public:
    explicit Restructure(GridModel& model) : model_(model) {
        // Counted only once the announcement is through, so that a throwing
        // listener leaves no operation open.
        if (model_.restructureDepth_ == 0)
            emit model_.aboutToRestructure();
        ++model_.restructureDepth_;
    }
    ~Restructure() {
        if (--model_.restructureDepth_ == 0)
            emit model_.restructured();
    }
    Restructure(const Restructure&) = delete;
    Restructure& operator=(const Restructure&) = delete;

private:
    GridModel& model_;
};

} // namespace tessara
