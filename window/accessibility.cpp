#include "accessibility.h"

#include "TButton.h"
#include "TChart.h"
#include "TChartAccessible.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>

namespace {

// Widgets of the same parent that share a row with `widget` (its vertical middle inside their
// height, or theirs inside its), left of it (`leftOf`) or right of it.
template <typename T>
QList<T *> onRowWith(QWidget *widget, bool leftOf)
{
    QList<T *> found;
    QWidget *parent = widget->parentWidget();
    if (!parent)
        return found;
    const QRect me = widget->geometry();
    for (T *other : parent->findChildren<T *>(Qt::FindDirectChildrenOnly)) {
        const QRect them = other->geometry();
        const bool sameRow = (me.top() <= them.center().y() && them.center().y() <= me.bottom())
                             || (them.top() <= me.center().y() && me.center().y() <= them.bottom());
        if (other != widget && sameRow && (leftOf ? them.right() < me.left() : them.left() > me.right()))
            found << other;
    }
    return found;
}

using Relations = QList<QPair<QAccessibleInterface *, QAccessible::Relation>>;

// `widgets` related as `first` and as `second`, those of the two that `match` asks for.
template <typename T>
Relations relatedAs(const QList<T *> &widgets, QAccessible::Relation match,
                    QAccessible::Relation first, QAccessible::Relation second)
{
    Relations found;
    for (T *w : widgets) {
        QAccessibleInterface *other = QAccessible::queryAccessibleInterface(w);
        for (QAccessible::Relation r : {first, second})
            if (match & r)
                found.append({other, r});
    }
    return found;
}

// A push button of the window; the label on its row names what it changes.
class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(TButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    TButton *button() const { return static_cast<TButton *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        return s;
    }

    Relations relations(QAccessible::Relation match) const override
    {
        return QAccessibleWidget::relations(match)
               + relatedAs(onRowWith<QLabel>(button(), true), match, QAccessible::Label,
                           QAccessible::Controlled);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            button()->animateClick();   // as Qt's own buttons: the press is seen, then the click
        else
            QAccessibleWidget::doAction(action);
    }
};

// A label that names the buttons on its row, and shows the value they change.
class RowLabelAccessible : public QAccessibleWidget
{
public:
    explicit RowLabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<QLabel *>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(t);
    }

    Relations relations(QAccessible::Relation match) const override
    {
        return QAccessibleWidget::relations(match)
               + relatedAs(onRowWith<TButton>(widget(), false), match, QAccessible::Labelled,
                           QAccessible::Controller);
    }
};

// A framed box of controls. Named only by its own accessible name: Qt would lend it the title of
// the group box around it, and a screen reader would then say that title twice.
class FrameGroupAccessible : public QAccessibleWidget
{
public:
    explicit FrameGroupAccessible(QWidget *frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(t);
    }
};

// A spoken notice with no widget of its own, the last child of the window: each announcement
// shows it anew with the new text, and a screen reader speaks a notification as it is shown.
class Notice : public QAccessibleInterface
{
public:
    explicit Notice(QWidget *window) : m_window(window) {}

    bool isValid() const override { return m_window; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_window); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? m_text : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = m_text.isEmpty();
        return s;
    }

    void say(const QString &text)
    {
        if (!m_text.isEmpty()) {   // hidden first, so that the same text is shown, and said, again
            QAccessibleEvent hide(this, QAccessible::ObjectHide);
            QAccessible::updateAccessibility(&hide);
        }
        m_text = text;
        QAccessibleEvent show(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&show);
    }

private:
    QPointer<QWidget> m_window;
    QString m_text;
};

// The form: a window, whose children are its widgets and, last, the notice.
class FormAccessible : public QAccessibleWidget
{
public:
    explicit FormAccessible(QWidget *form) : QAccessibleWidget(form, QAccessible::Window) {}
    ~FormAccessible() override
    {
        if (m_notice)
            QAccessible::deleteAccessibleInterface(m_notice);
    }

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        return index == widgets ? notice() : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child == (m_notice ? QAccessible::accessibleInterface(m_notice) : nullptr)
                   ? QAccessibleWidget::childCount()
                   : QAccessibleWidget::indexOfChild(child);
    }

    Notice *notice() const
    {
        if (!m_notice)
            m_notice = QAccessible::registerAccessibleInterface(new Notice(widget()));
        return static_cast<Notice *>(QAccessible::accessibleInterface(m_notice));
    }

private:
    mutable QAccessible::Id m_notice = 0;
};

QAccessibleInterface *qorAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("TForm1"))
        return new FormAccessible(widget);
    if (className == QLatin1String("TChart"))
        return new TChartAccessible(static_cast<TChart *>(widget));
    if (className == QLatin1String("TButton"))
        return new ButtonAccessible(static_cast<TButton *>(widget));
    if (className == QLatin1String("QFrame")) {
        // a framed box of controls, not a line between them
        const auto shape = static_cast<QFrame *>(widget)->frameShape();
        if (shape != QFrame::HLine && shape != QFrame::VLine)
            return new FrameGroupAccessible(widget);
    }
    if (className == QLatin1String("QLabel")) {
        auto *label = static_cast<QLabel *>(widget);
        if (!onRowWith<TButton>(label, false).isEmpty())
            return new RowLabelAccessible(label);
    }
    return nullptr;
}

}  // namespace

void installAccessibility()
{
    QAccessible::installFactory(qorAccessible);   // a factory already there is not added twice
}

void announce(QWidget *window, const QString &text)
{
    if (auto *form = dynamic_cast<FormAccessible *>(QAccessible::queryAccessibleInterface(window)))
        form->notice()->say(text);
}
