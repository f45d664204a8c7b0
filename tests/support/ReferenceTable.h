#pragma once

#include <string>
#include <vector>

#include "engine/PatternColumns.h"
#include "engine/Point.h"

namespace slanter::testing {

// Folder of the test data (the BMP suite, the reference pattern tables).
std::string TestDataPath(const std::string& relative);

// One row of a reference pattern table: the exact values and the row as listed.
struct ReferenceRow {
    double degrees = 0;
    int area = 0;
    double slide = 0;
    TPoint size;
    PatternColumns shown;
};

// Reads a table of the form "degrees area slide width height | angle area slide% w h".
std::vector<ReferenceRow> ReadReferenceTable(const std::string& path);

} // namespace slanter::testing
