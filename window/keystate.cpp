#include "keystate.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

std::optional<bool> keyHeldNow(quint32 nativeScanCode)
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || nativeScanCode == 0 || nativeScanCode > 255)
        return std::nullopt;
    xcb_connection_t *connection = x11->connection();
    xcb_query_keymap_reply_t *keymap =
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (!keymap)
        return std::nullopt;
    const bool down = keymap->keys[nativeScanCode / 8] & (1u << (nativeScanCode % 8));
    std::free(keymap);
    return down;
}
