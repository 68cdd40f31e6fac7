// Whether a key is down at this moment on the window system, asked of the X server. The key is
// named by the native scan code of its event (the X keycode). Empty where it can't be known:
// other platforms, or no keycode.
#pragma once

#include <QtGlobal>

#include <optional>

std::optional<bool> keyHeldNow(quint32 nativeScanCode);
