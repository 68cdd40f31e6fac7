#include "keyhold.h"

KeyHold::Press KeyHold::press(int key, bool marked, unsigned long time, std::optional<bool> heldNow)
{
    State &s = m_keys[key];
    const bool pairedWithRelease = time != 0 && time == s.releasedAt;
    const bool repeat = marked || s.down || pairedWithRelease;
    if (repeat && heldNow == false)
        return Press::Drop;   // queued before the key was let go
    s.down = true;
    return repeat ? Press::Repeat : Press::First;
}

KeyHold::Release KeyHold::release(int key, bool marked, unsigned long time, std::optional<bool> heldNow)
{
    State &s = m_keys[key];
    s.releasedAt = time;
    if (!s.down || marked || heldNow == true)
        return Release::Ignore;   // already up, or the first half of a repeat while held
    s.down = false;
    return Release::Real;
}

bool KeyHold::isDown(int key) const
{
    const auto it = m_keys.find(key);
    return it != m_keys.end() && it->second.down;
}
