#include "support/ReferenceTable.h"

#include <fstream>
#include <sstream>

namespace slanter::testing {

std::string TestDataPath(const std::string& relative) {
    return std::string(SLANTER_TESTDATA_DIR) + "/" + relative;
}

std::vector<ReferenceRow> ReadReferenceTable(const std::string& path) {
    std::vector<ReferenceRow> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const auto bar = line.find('|');
        if (bar == std::string::npos)
            continue;
        std::istringstream exact(line.substr(0, bar));
        std::istringstream shown(line.substr(bar + 1));
        ReferenceRow row;
        std::string degrees, slide;
        exact >> degrees >> row.area >> slide >> row.size.X >> row.size.Y;
        row.degrees = std::stod(degrees);
        row.slide = std::stod(slide);
        shown >> row.shown.angle >> row.shown.area >> row.shown.slide >> row.shown.width >>
            row.shown.height;
        rows.push_back(row);
    }
    return rows;
}

} // namespace slanter::testing
