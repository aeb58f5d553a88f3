#pragma once
// The two pages a procedure is made from.

namespace kestrel {

enum class Page { Meter, Scope }; // the DMM's and Scopes tabs

} // namespace kestrel
