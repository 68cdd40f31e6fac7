#include "accessibility.h"

#include "TButton.h"
#include "TChart.h"
#include "TChartAccessible.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTimer>

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

// A push button of the window: its description is its help text, or for a moment after a
// press the value it changed; the label on its row names what it changes.
class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(TButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    TButton *button() const { return static_cast<TButton *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && !m_announcement.isEmpty())
            return m_announcement;
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

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        for (QLabel *label : onRowWith<QLabel>(button(), true)) {
            QAccessibleInterface *l = QAccessible::queryAccessibleInterface(label);
            if (match & QAccessible::Label)
                found.append({l, QAccessible::Label});
            if (match & QAccessible::Controlled)
                found.append({l, QAccessible::Controlled});
        }
        return found;
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

    void announce(const QString &text)
    {
        m_announcement = text;
        QAccessibleEvent changed(button(), QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }

    // Called once the focus has left: the description is the help text again. Sent after the
    // focus event of the new widget, so a screen reader, already there, does not speak it.
    void endAnnouncement()
    {
        if (m_announcement.isEmpty())
            return;
        m_announcement.clear();
        QAccessibleEvent changed(button(), QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }

private:
    QString m_announcement;
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

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        for (TButton *button : onRowWith<TButton>(widget(), false)) {
            QAccessibleInterface *b = QAccessible::queryAccessibleInterface(button);
            if (match & QAccessible::Labelled)
                found.append({b, QAccessible::Labelled});
            if (match & QAccessible::Controller)
                found.append({b, QAccessible::Controller});
        }
        return found;
    }
};

QAccessibleInterface *qorAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("TForm1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("TChart"))
        return new TChartAccessible(static_cast<TChart *>(widget));
    if (className == QLatin1String("TButton"))
        return new ButtonAccessible(static_cast<TButton *>(widget));
    if (className == QLatin1String("QFrame")) {
        // a framed box of controls, not a line between them
        const auto shape = static_cast<QFrame *>(widget)->frameShape();
        if (shape != QFrame::HLine && shape != QFrame::VLine)
            return new QAccessibleWidget(widget, QAccessible::Grouping);
    }
    if (className == QLatin1String("QLabel")) {
        auto *label = static_cast<QLabel *>(widget);
        if (!onRowWith<TButton>(label, false).isEmpty())
            return new RowLabelAccessible(label);
    }
    return nullptr;
}

ButtonAccessible *buttonInterface(QWidget *widget)
{
    if (!qobject_cast<TButton *>(widget))
        return nullptr;
    return dynamic_cast<ButtonAccessible *>(QAccessible::queryAccessibleInterface(widget));
}

}  // namespace

void installAccessibility()
{
    static bool installed = false;   // every test case prepares the application again
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(qorAccessible);
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *old, QWidget *) {
        if (!buttonInterface(old))
            return;
        QTimer::singleShot(0, old, [old] {
            if (ButtonAccessible *b = buttonInterface(old); b && !old->hasFocus())
                b->endAnnouncement();
        });
    });
}

void announceValue(const QString &text)
{
    if (ButtonAccessible *b = buttonInterface(QApplication::focusWidget()))
        b->announce(text);
}
