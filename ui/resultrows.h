#pragma once

#include <span>
#include <string_view>

// One result row of a slope window as its layout shows it: the output box,
// the caption of the frame it sits in, and the labels before and after it.
// The command line prints the same captions without building a window.
struct ResultRow
{
    std::string_view box;
    std::string_view group;
    std::string_view label;
    std::string_view unit;
};

// The result rows of the first-, second- or third-order window (`order` 1 to
// 3), top to bottom in each frame, frame by frame: the order Calculate writes.
std::span<const ResultRow> resultRows(int order);
