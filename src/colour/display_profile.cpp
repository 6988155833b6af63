// Display profile lookup. Colour managers on X11 (colord, the desktops' own
// tools) publish the screen's profile bytes in the root window property
// _ICC_PROFILE of type CARDINAL; we read it through the xcb connection Qt
// already holds, so no second display connection is opened.
#include "colour/display_profile.h"

#include <QGuiApplication>

#if defined(TESSALY_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <cstdint>
#include <cstdlib>
#include <memory>
#endif

namespace tessaly {
namespace {

#if defined(TESSALY_HAVE_XCB) && QT_CONFIG(xcb)
// Largest property we accept, in the 32-bit units xcb counts: 16 MiB, far above
// any display profile, so that a broken property cannot make us fetch gigabytes.
constexpr std::uint32_t kMaxProfileUnits = 4u * 1024 * 1024;

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

// The root window's _ICC_PROFILE bytes; empty when not on X11 or not set.
QByteArray RootWindowProfile() {
  if (QGuiApplication::instance() == nullptr) return QByteArray();
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return QByteArray();
  xcb_connection_t* connection = x11->connection();

  static constexpr char kAtomName[] = "_ICC_PROFILE";
  const xcb_intern_atom_cookie_t atom_cookie =
      xcb_intern_atom(connection, 1, sizeof kAtomName - 1, kAtomName);
  std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(
      xcb_intern_atom_reply(connection, atom_cookie, nullptr));
  if (!atom || atom->atom == XCB_ATOM_NONE) return QByteArray();

  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (screen == nullptr) return QByteArray();
  const xcb_get_property_cookie_t property_cookie = xcb_get_property(
      connection, 0, screen->root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxProfileUnits);
  std::unique_ptr<xcb_get_property_reply_t, FreeReply> property(
      xcb_get_property_reply(connection, property_cookie, nullptr));
  if (!property || property->format != 8) return QByteArray();
  const int length = xcb_get_property_value_length(property.get());
  if (length <= 0) return QByteArray();
  return QByteArray(static_cast<const char*>(xcb_get_property_value(property.get())), length);
}
#else
QByteArray RootWindowProfile() {
  return QByteArray();
}
#endif

}  // namespace

ProfileHandle DisplayProfile() {
  static const ProfileHandle display = [] {
    ProfileHandle profile = OpenProfileFromMemory(RootWindowProfile());
    return profile != nullptr ? profile : CreateSrgbProfile();
  }();
  return display;
}

}  // namespace tessaly
