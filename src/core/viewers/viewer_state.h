#pragma once
// What the viewers share between openings: the file the help and
// accuracy-file viewers open next, and the procedure viewer's last search
// text. The main window's document owns one and lends it to each viewer.
#include <string>

namespace kestrel {

struct ViewerState {
    // The file to preselect ("ask.hlp", "7300.acc"); empty: none. It
    // survives between openings of the help viewer; the accuracy-file
    // viewer empties it after use.
    std::string viewerFile;
    // Search and Search again of the procedure viewer.
    std::string searchString;
};

} // namespace kestrel
