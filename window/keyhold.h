// Tells a key's first press from the presses its auto-repeat sends while it is held, and a real
// release from the releases X sends between repeats. Qt marks repeats only when it sees an
// X release and the press that follows it together; under load it often doesn't, so the marking
// alone would count a held key at random. Three more signs are used: a press while the key is
// already down is a repeat; a press with the same server time as the release before it is a
// repeat (X sends the pair at once); and, where the window system can say, the key's real state
// now: a repeat handled after the key was let go is dropped, so releasing stops at once.
//
// Plain logic: the caller passes in what it knows about each event.
#pragma once

#include <map>
#include <optional>

class KeyHold
{
public:
    enum class Press { First, Repeat, Drop };
    enum class Release { Real, Ignore };

    // `marked`: the window system flagged the event as an auto-repeat. `time`: its timestamp in
    // ms, 0 when unknown. `heldNow`: whether the key is down at this moment, when known.
    Press press(int key, bool marked, unsigned long time, std::optional<bool> heldNow);
    Release release(int key, bool marked, unsigned long time, std::optional<bool> heldNow);

    bool isDown(int key) const;
    // Forget every key (the focus went elsewhere, so their releases won't come here).
    void reset() { m_keys.clear(); }

private:
    struct State {
        bool down = false;
        unsigned long releasedAt = 0;   // the time of the last release seen, real or not
    };
    std::map<int, State> m_keys;
};
