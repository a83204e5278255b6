#include "platform/OptionButton.h"

#include <QKeyEvent>
#include <QPointer>

OptionButton::OptionButton(QWidget* parent)
    : OptionButton(QString(), parent)
{
}

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent)
{
    setAutoExclusive(false);
    setForeColor(Qt::black);
    connect(this, &QAbstractButton::toggled, this, &OptionButton::onToggled);
}

void OptionButton::setForeColor(const QColor& color)
{
    m_foreColor = color;
    // Styles paint a radio button's label in WindowText or ButtonText; set both
    // for the active and inactive states and leave the disabled grey alone.
    QPalette pal = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, color);
        pal.setColor(group, QPalette::ButtonText, color);
    }
    setPalette(pal);
}

QList<OptionButton*> OptionButton::siblings() const
{
    QList<OptionButton*> result;
    const QWidget* parent = parentWidget();
    if (!parent)
        return result;
    const auto children = parent->findChildren<OptionButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (OptionButton* button : children) {
        if (button != this)
            result.append(button);
    }
    return result;
}

void OptionButton::nextCheckState()
{
    // A click only ever checks; a checked button stays checked.
    if (!isChecked())
        setChecked(true);
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Down:
    case Qt::Key_Right: step = 1; break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    OptionButton* next = neighbour(step);
    if (!next) {
        event->ignore();
        return;
    }
    next->setFocus(Qt::OtherFocusReason);
    // Checking it runs its selected() handlers, as a click does.
    next->setChecked(true);
}

OptionButton* OptionButton::neighbour(int step) const
{
    // The group's order is the tab order; the focus chain is a ring through the window.
    const QWidget* parent = parentWidget();
    for (QWidget* w = step > 0 ? nextInFocusChain() : previousInFocusChain(); w && w != this;
         w = step > 0 ? w->nextInFocusChain() : w->previousInFocusChain()) {
        auto* candidate = qobject_cast<OptionButton*>(w);
        if (candidate && candidate->parentWidget() == parent && candidate->isEnabled() && !candidate->isHidden())
            return candidate;
    }
    return nullptr;
}

void OptionButton::onToggled(bool checked)
{
    if (!checked)
        return;
    // Handlers of the siblings' toggled(false) run in between; guard against
    // them deleting buttons.
    QPointer<OptionButton> self(this);
    QList<QPointer<OptionButton>> others;
    for (OptionButton* sibling : siblings())
        others.append(sibling);
    for (const QPointer<OptionButton>& sibling : others) {
        if (sibling && sibling->isChecked())
            sibling->setChecked(false);
    }
    if (self && isChecked())
        emit selected();
}
