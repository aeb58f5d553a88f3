#pragma once
// The viewers' fixed geometry, in twips (1440 to the inch) as the window
// settings keep it, and the procedure viewer's column legend.
#include "core/procgen/step_layout.h"

#include <string_view>

namespace kestrel {

// The procedure viewer: 8990 twips wide, 0.8 of the screen high, no
// smaller than 4700 x 5130.
inline constexpr int kProcedureViewerWidth = 8990;
inline constexpr double kProcedureViewerScreenShare = 0.8;
inline constexpr int kProcedureViewerMinWidth = 4700;
inline constexpr int kProcedureViewerMinHeight = 5130;

// The legend above the procedure: the column header without its last blank
// (77 characters).
inline constexpr std::string_view kViewerLegend = kColumnHeader.substr(0, kColumnHeader.size() - 1);

// The help and accuracy-file viewers' place, kept per user under
// "HelpSettings"; both viewers share the four keys.
struct HelpWindowPlacement {
    int left = 1000;
    int top = 1000;
    int width = 6500;
    int height = 6500;
};
inline constexpr std::string_view kHelpSettingsGroup = "HelpSettings";
// The file list's width beside the text, and the line length the viewers
// open wide enough to show whole when no place is kept yet: Tessel's help
// and accuracy files are written in lines of at most 80 characters.
inline constexpr int kHelpListWidth = 1900;
inline constexpr int kHelpFileLineLength = 80;
inline constexpr int kHelpViewerMinWidth = 3900;
inline constexpr int kHelpViewerMinHeight = 4600;

// The help viewer's splitter keeps this far from the window's top and
// bottom edges.
inline constexpr int kSplitterMargin = 1500;

} // namespace kestrel
