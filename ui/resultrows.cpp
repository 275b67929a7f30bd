#include "resultrows.h"

namespace {

const ResultRow firstOrderRows[] = {
    {"Text3", "Ниски", "L", "mH"},
    {"Text7", "Среди", "C", "µF"},
    {"Text8", "Среди", "L", "mH"},
    {"Text11", "Високи", "C", "µF"},
};

const ResultRow secondOrderRows[] = {
    {"Text3", "Ниски", "C", "µF"},   {"Text4", "Ниски", "L", "mH"},
    {"Text8", "Среди", "C1", "µF"},  {"Text9", "Среди", "C2", "µF"},
    {"Text10", "Среди", "L1", "mH"}, {"Text11", "Среди", "L2", "mH"},
    {"Text14", "Високи", "C", "µF"}, {"Text15", "Високи", "L", "mH"},
};

const ResultRow thirdOrderRows[] = {
    {"Text3", "Ниски", "C", "µF"},    {"Text4", "Ниски", "L1", "mH"},
    {"Text5", "Ниски", "L2", "mH"},   {"Text9", "Среди", "C1", "µF"},
    {"Text10", "Среди", "C2", "µF"},  {"Text11", "Среди", "C3", "µF"},
    {"Text12", "Среди", "L1", "mH"},  {"Text13", "Среди", "L2", "mH"},
    {"Text14", "Среди", "L3", "mH"},  {"Text17", "Високи", "C1", "µF"},
    {"Text18", "Високи", "C2", "µF"}, {"Text19", "Високи", "L", "mH"},
};

} // namespace

std::span<const ResultRow> resultRows(int order)
{
    switch (order) {
    case 1:
        return firstOrderRows;
    case 2:
        return secondOrderRows;
    default:
        return thirdOrderRows;
    }
}
