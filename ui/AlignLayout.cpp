// The alignment rules of the containers, without any platform call.
#include "ui/AlignLayout.h"

#include <algorithm>

std::vector<LayoutRect> ArrangeAligned(LayoutRect area, const std::vector<LayoutRequest>& requests) {
    std::vector<LayoutRect> boxes;
    boxes.reserve(requests.size());
    for (const LayoutRequest& r : requests)
        boxes.push_back(r.current);

    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);
    const Align order[] = {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};
    for (Align pass : order) {
        for (size_t i = 0; i < requests.size(); ++i) {
            if (requests[i].align != pass)
                continue;
            const int width = std::max(0, requests[i].current.Width());
            const int height = std::max(0, requests[i].current.Height());
            LayoutRect& box = boxes[i];
            switch (pass) {
            case Align::Top:
                box = {area.left, area.top, area.right, std::min(area.bottom, area.top + height)};
                area.top = box.bottom;
                break;
            case Align::Bottom:
                box = {area.left, std::max(area.top, area.bottom - height), area.right, area.bottom};
                area.bottom = box.top;
                break;
            case Align::Left:
                box = {area.left, area.top, std::min(area.right, area.left + width), area.bottom};
                area.left = box.right;
                break;
            case Align::Right:
                box = {std::max(area.left, area.right - width), area.top, area.right, area.bottom};
                area.right = box.left;
                break;
            case Align::Client:
                box = area;
                break;
            case Align::None:
                break;
            }
        }
    }
    return boxes;
}
