// The tool tips of the dialogs' controls, by control name (and, for a control
// array, its index): what each control does, in the program's words. Texts are for
// UiText. A name used by several dialogs means the same there.
#pragma once

namespace tessaly {

// The tip of the control named `name` (element `index` of a control array, −1 for
// none), or nullptr when the table has none.
const char* ControlTip(const char* name, int index);

}  // namespace tessaly
