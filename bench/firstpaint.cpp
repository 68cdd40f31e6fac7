#include "firstpaint.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(QWidget &window, std::function<bool()> painted)
        : QObject(&window), m_window(window), m_painted(std::move(painted))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == &m_window) {
            qApp->removeEventFilter(this);
            // All widgets of one repaint are painted and flushed before the loop runs again;
            // the zero timer fires after that, and sync() waits until the X server has them.
            QTimer::singleShot(0, this, [this] {
                QGuiApplication::sync();
                if (m_painted && !m_painted()) {
                    std::fputs("benchmark: the first paint did not show what it should\n", stderr);
                    std::_Exit(2);
                }
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget &m_window;
    std::function<bool()> m_painted;
};

}  // namespace

void quitAfterFirstPaint(QWidget &window, std::function<bool()> painted)
{
    new FirstPaintWatcher(window, std::move(painted));
}
