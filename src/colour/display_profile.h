// The display's colour profile, opened once per run and shared: on an X11
// desktop the profile that the colour manager put in the root window's
// _ICC_PROFILE property, otherwise (no X11, no property, an unreadable profile)
// the built-in sRGB profile. The handle lives until the program ends; callers
// must not close it.
#pragma once

#include "colour/colour_profiles.h"

namespace tessaly {

// The display profile; the first call decides it, later calls return the same
// handle. Needs a QGuiApplication for the X11 lookup; without one it is sRGB.
ProfileHandle DisplayProfile();

}  // namespace tessaly
