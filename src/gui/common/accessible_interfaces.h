#pragma once
// How Kestrel's lists and tab pages present themselves to screen readers,
// the same on every platform:
// - a list (combo box) is named by its label (its accessible name, else the
//   label whose buddy it is) and has its current text as its value, as on
//   Windows. Qt names a list by its current text on Linux, so a screen
//   reader heard either the label or the value;
// - the stack of pages inside a tab strip is a plain container, not a
//   "layered pane" that is read out, unnamed, on the way into every page.
namespace kestrel::gui {

// Registers the interfaces with Qt's accessibility; once is enough, more
// calls do nothing.
void installAccessibleInterfaces();

} // namespace kestrel::gui
