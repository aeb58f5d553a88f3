#pragma once
// The choices of the "Options/Misc" page, each a list of option buttons.

namespace kestrel {

enum class ToleranceStyle { AsWritten, Units };         // "As Written", "± Units"
enum class PostTestWindow { OnFailure, Always, Never }; // when the post-test window shows
enum class DataEntry { Slew, GoNoGo, Keyboard, All };   // how the operator enters readings

} // namespace kestrel
