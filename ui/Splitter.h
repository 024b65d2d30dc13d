// A thin bar between an edge-aligned control and the rest of its container: dragging it resizes
// that neighbour (the nearest visible control aligned to the same edge before it), and releasing
// it fires OnMoved.
#pragma once

#include "ui/Control.h"

#include <functional>

class Splitter : public Control {
public:
    ~Splitter() override;
    // align is Left, Right, Top or Bottom; thickness is the bar's width or height.
    bool Create(HWND parent, Align align, int thickness);

    // The smallest size the neighbour and the rest of the container keep.
    int MinSize = 30;
    std::function<void()> OnMoved;

    // The control the bar resizes now, or null.
    Control* Neighbour() const;

    // The neighbour's new size for a drag, given its size at the start, the mouse travel along the
    // bar's axis (towards the right or bottom is positive) and the largest size the room allows.
    static int DraggedSize(Align align, int startSize, int travel, int minSize, int maxSize);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool Vertical() const; // a bar between left and right neighbours
    int MaxNeighbourSize(const Control& neighbour) const;
    void Track(POINT screen);

    bool dragging_ = false;
    bool moved_ = false;
    POINT start_{};
    int startSize_ = 0;
};
