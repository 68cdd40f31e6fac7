#include "outsideclose.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>

namespace {

class DestroyWatch : public QAbstractNativeEventFilter
{
public:
    explicit DestroyWatch(QWidget &window) : m_window(&window) {}

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t" || !m_window)
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
            return false;
        const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
        if (m_window->testAttribute(Qt::WA_WState_Created) && destroyed->window == m_window->winId())
            QCoreApplication::exit(0);
        return false;
    }

private:
    QPointer<QWidget> m_window;
};

}  // namespace

void quitWhenDestroyedOutside(QWidget &window)
{
    auto *watch = new DestroyWatch(window);
    QCoreApplication::instance()->installNativeEventFilter(watch);
    QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [watch] { delete watch; });
}
