// Keyboard and mouse input delivered through the window system's entry points, the one place
// the tests reach into Qt's internals (qt_handleKeyEvent, qt_handleMouseEvent, spontaneous
// events): Qt then routes each event (focus, mouse grab, double clicks, propagation) exactly as
// for a user, which QTest's synthetic events don't.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include <functional>

// Keys and mouse events enter as the window system delivers them, so Qt routes them (focus,
// mouse grab, double clicks, propagation) exactly as for a user. Every event is followed by
// `afterEach`.
class WindowInput
{
public:
    explicit WindowInput(QWidget &top) : m_top(top) {}

    std::function<void()> afterEach;

    // A held key: X11 repeats it as release and press pairs (`x11Repeat`), other systems as
    // presses alone; Qt flags them as repeats or, when it can't pair them up, not (`marked`).
    void key(Qt::Key key, Qt::KeyboardModifiers mods, const QString &text, int repeats, bool x11Repeat,
             const std::function<bool()> &marked)
    {
        send([&] { qt_handleKeyEvent(window(), QEvent::KeyPress, key, mods, text); });
        for (int i = 0; i < repeats; ++i) {
            const bool flag = marked();
            if (x11Repeat)
                send([&] { qt_handleKeyEvent(window(), QEvent::KeyRelease, key, mods, text, flag); });
            send([&] { qt_handleKeyEvent(window(), QEvent::KeyPress, key, mods, text, flag); });
        }
        send([&] { qt_handleKeyEvent(window(), QEvent::KeyRelease, key, mods, text); });
    }

    void press(Qt::MouseButton b, QPointF pos) { mouse(QEvent::MouseButtonPress, b, pos); }
    void release(Qt::MouseButton b, QPointF pos) { mouse(QEvent::MouseButtonRelease, b, pos); }
    void move(QPointF pos) { mouse(QEvent::MouseMove, Qt::NoButton, pos); }

    void drag(Qt::MouseButton b, QPointF from, QPointF to, int steps = 1)
    {
        press(b, from);
        for (int i = 1; i <= steps; ++i)
            move(from + (to - from) * (double(i) / steps));
        release(b, to);
    }

    void wheel(QPointF pos, QPoint angle, QPoint pixels, Qt::KeyboardModifiers mods)
    {
        send([&] {
            QWheelEvent e(pos, window()->mapToGlobal(pos), pixels, angle, m_buttons, mods,
                          Qt::NoScrollPhase, false);
            QSpontaneKeyEvent::setSpontaneous(&e);   // as from the window system: it propagates
            QCoreApplication::sendEvent(window(), &e);
        });
    }

    // Time between events: short gaps let presses pair up into double clicks.
    void pause(int ms) { m_time += ms; }

    void releaseAll(QPointF pos)
    {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (m_buttons & b)
                release(b, pos);
    }

    Qt::MouseButtons buttons() const { return m_buttons; }
    int eventCount() const { return m_events; }

private:
    QWindow *window() const { return m_top.windowHandle(); }

    void mouse(QEvent::Type type, Qt::MouseButton b, QPointF pos)
    {
        if (type == QEvent::MouseButtonPress)
            m_buttons |= b;
        else if (type == QEvent::MouseButtonRelease)
            m_buttons &= ~b;
        m_time += 1;
        send([&] {
            qt_handleMouseEvent(window(), pos, window()->mapToGlobal(pos), m_buttons, b, type,
                                Qt::NoModifier, m_time);
        });
    }

    template <typename Deliver>
    void send(Deliver deliver)
    {
        deliver();
        QCoreApplication::processEvents();
        ++m_events;
        if (afterEach)
            afterEach();
    }

    QWidget &m_top;
    Qt::MouseButtons m_buttons;
    int m_time = 1000;
    int m_events = 0;
};
