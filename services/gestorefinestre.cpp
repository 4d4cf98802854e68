#include "toolkit.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace toolkit {

namespace {

struct LiberaXcb
{
    void operator()(void *p) const { std::free(p); }
};

xcb_atom_t atomo(xcb_connection_t *c, const char *nome)
{
    const auto cookie = xcb_intern_atom(c, 1, uint16_t(strlen(nome)), nome);
    const std::unique_ptr<xcb_intern_atom_reply_t, LiberaXcb> r(xcb_intern_atom_reply(c, cookie, nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window named by a window-valued property, or none.
xcb_window_t finestraIndicata(xcb_connection_t *c, xcb_window_t w, xcb_atom_t proprieta)
{
    const auto cookie = xcb_get_property(c, 0, w, proprieta, XCB_ATOM_WINDOW, 0, 1);
    const std::unique_ptr<xcb_get_property_reply_t, LiberaXcb> r(xcb_get_property_reply(c, cookie, nullptr));
    if (!r || r->type != XCB_ATOM_WINDOW || r->format != 32 || xcb_get_property_value_length(r.get()) < 4)
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(r.get()));
}

// An X server says a window manager runs by the convention every current
// one follows: the root names a window of the manager's, which names itself.
bool gestoreX11(xcb_connection_t *c)
{
    const xcb_screen_t *schermo = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t verifica = atomo(c, "_NET_SUPPORTING_WM_CHECK");
    if (!schermo || verifica == XCB_ATOM_NONE)
        return false;
    const xcb_window_t w = finestraIndicata(c, schermo->root, verifica);
    return w != XCB_WINDOW_NONE && finestraIndicata(c, w, verifica) == w;
}

xcb_connection_t *connessioneX11()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// A compositing manager owns the selection _NET_WM_CM_S<screen>.
bool compositoreX11(xcb_connection_t *c)
{
    const xcb_atom_t selezione = atomo(c, "_NET_WM_CM_S0");
    if (selezione == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, LiberaXcb> r(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selezione), nullptr));
    return r && r->owner != XCB_WINDOW_NONE;
}

} // namespace

bool scoperteDaDipingere()
{
    xcb_connection_t *c = connessioneX11();
    return c && !compositoreX11(c);
}

bool gestoreFinestre()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        xcb_connection_t *c = connessioneX11();
        return c && gestoreX11(c);
    }
    // A Wayland compositor always does; the offscreen and framebuffer
    // platforms have nobody to.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace toolkit
