#include "platform/OptionButton.h"

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
