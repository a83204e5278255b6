#include "platform/Accessibility.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QPointer>
#include <QWindow>
#include <array>

QString withoutMnemonic(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == QLatin1Char('&')) {
            // "&&" is one "&"; a single "&" only marks the letter after it.
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
                text += c;
                ++i;
            }
            continue;
        }
        text += c;
    }
    return text;
}

namespace {

// The description a widget gives of itself: its own, else its tool tip, unless that only
// repeats the name.
QString descriptionOf(const QWidget* w, const QString& name)
{
    QString description = w->accessibleDescription();
    if (description.isEmpty())
        description = w->toolTip();
    return description == name ? QString() : description;
}

// ---- a control that a press action clicks, as a mouse click does ----

class ClickableInterface : public QAccessibleWidget
{
public:
    ClickableInterface(QAbstractButton* b, QAccessible::Role role) : QAccessibleWidget(b, role) {}

    QStringList actionNames() const override
    {
        QStringList names;
        if (clickable()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction()) {
            if (clickable()->isEnabled())
                clickable()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* clickable() const { return static_cast<QAbstractButton*>(widget()); }
};

// ---- 3-D command button ----

class ButtonInterface : public ClickableInterface
{
public:
    explicit ButtonInterface(ThreeDButton* b) : ClickableInterface(b, QAccessible::Button) {}

    ThreeDButton* button() const { return static_cast<ThreeDButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return name();
        case QAccessible::Description: return descriptionOf(button(), name());
        case QAccessible::Accelerator: {
            const QKeySequence key = QKeySequence::mnemonic(button()->text());
            return key.isEmpty() ? QString() : key.toString(QKeySequence::NativeText);
        }
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        if (button()->isCheckable()) {
            s.checkable = true;
            s.checked = button()->isChecked();
        }
        return s;
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction()) {
            const QString accelerator = text(QAccessible::Accelerator);
            return accelerator.isEmpty() ? QStringList() : QStringList{accelerator};
        }
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QString name() const
    {
        if (!button()->accessibleName().isEmpty())
            return button()->accessibleName();
        const QString caption = withoutMnemonic(button()->text()).simplified();
        // A button with only a picture is named by its tool tip ("Print").
        return caption.isEmpty() ? button()->toolTip() : caption;
    }
};

// ---- 3-D panel: label, pane or gauge ----

class PanelInterface : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit PanelInterface(ThreeDPanel* p) : QAccessibleWidget(p, QAccessible::StaticText) {}

    ThreeDPanel* panel() const { return static_cast<ThreeDPanel*>(widget()); }

    QAccessible::Role role() const override
    {
        if (panel()->isGauge())
            return QAccessible::ProgressBar;
        // Panels that only hold other controls are read as the group they form.
        if (panel()->caption().trimmed().isEmpty() && childCount() > 0)
            return QAccessible::Pane;
        return QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            if (!panel()->accessibleName().isEmpty())
                return panel()->accessibleName();
            return panel()->isGauge() ? QString() : panel()->spokenCaption();
        case QAccessible::Description: return descriptionOf(panel(), text(QAccessible::Name));
        case QAccessible::Value:
            return panel()->isGauge() ? QString::number(panel()->floodPercent()) + QLatin1Char('%') : QString();
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface && panel()->isGauge())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The gauge's value, read only.
    QVariant currentValue() const override { return panel()->floodPercent(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

// ---- spin button and its two arrows ----

class ArrowInterface : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    ArrowInterface(SpinButton* spin, SpinButton::Arrow arrow) : m_spin(spin), m_arrow(arrow) {}

    bool isValid() const override { return !m_spin.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return m_spin ? m_spin->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_spin.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!m_spin)
            return QString();
        if (t == QAccessible::Name)
            return m_spin->arrowName(m_arrow);
        if (t == QAccessible::Accelerator)
            return keyName();
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!m_spin)
            return QRect();
        const QRect r = m_spin->arrowRect(m_arrow);
        return QRect(m_spin->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override { return QAccessible::Button; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_spin) {
            s.invalid = true;
            return s;
        }
        s.disabled = !m_spin->isEnabled();
        s.invisible = !m_spin->isVisible();
        s.pressed = m_spin->pressedArrow() == m_arrow;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        return m_spin && m_spin->isEnabled() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && m_spin)
            m_spin->press(m_arrow);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{keyName()} : QStringList();
    }

private:
    QString keyName() const
    {
        // The keys that spin from the keyboard, as the arrows lie.
        const bool horizontal = m_spin && m_spin->isHorizontal();
        if (m_arrow == SpinButton::Arrow::Down)
            return QKeySequence(horizontal ? Qt::Key_Left : Qt::Key_Down).toString(QKeySequence::NativeText);
        return QKeySequence(horizontal ? Qt::Key_Right : Qt::Key_Up).toString(QKeySequence::NativeText);
    }

    QPointer<SpinButton> m_spin;
    SpinButton::Arrow m_arrow;
};

class SpinInterface : public QAccessibleWidget
{
public:
    explicit SpinInterface(SpinButton* s) : QAccessibleWidget(s, QAccessible::SpinBox) {}

    ~SpinInterface() override
    {
        for (QAccessible::Id id : m_arrowIds) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    SpinButton* spin() const { return static_cast<SpinButton*>(widget()); }

    // First the backward arrow, then the forward one.
    int childCount() const override { return 2; }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index > 1)
            return nullptr;
        if (!m_arrowIds[index]) {
            auto* arrow = new ArrowInterface(spin(), index == 0 ? SpinButton::Arrow::Down : SpinButton::Arrow::Up);
            m_arrowIds[index] = QAccessible::registerAccessibleInterface(arrow);
        }
        return QAccessible::accessibleInterface(m_arrowIds[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < 2; ++i) {
            if (m_arrowIds[i] && QAccessible::accessibleInterface(m_arrowIds[i]) == child)
                return i;
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint local = spin()->mapFromGlobal(QPoint(x, y));
        switch (spin()->arrowAt(local)) {
        case SpinButton::Arrow::Down: return child(0);
        case SpinButton::Arrow::Up: return child(1);
        case SpinButton::Arrow::None: break;
        }
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return descriptionOf(spin(), text(QAccessible::Name));
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (spin()->isEnabled())
            names << decreaseAction() << increaseAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == decreaseAction())
            spin()->press(SpinButton::Arrow::Down);
        else if (action == increaseAction())
            spin()->press(SpinButton::Arrow::Up);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    mutable std::array<QAccessible::Id, 2> m_arrowIds{};
};

// ---- pictures: the stretched image control and the picture box ----

class PictureInterface : public QAccessibleWidget, public QAccessibleImageInterface
{
public:
    explicit PictureInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return descriptionOf(widget(), text(QAccessible::Name));
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString imageDescription() const override { return text(QAccessible::Name); }
    QSize imageSize() const override
    {
        if (auto* box = qobject_cast<PictureBox*>(widget()))
            return box->heldPicture().size();
        return widget()->size();  // the image control stretches its picture to its size
    }
    QPoint imagePosition() const override { return widget()->mapToGlobal(QPoint(0, 0)); }

    QStringList actionNames() const override
    {
        return QStringList{pressAction(), showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        // Press stands for the double-click, the menu for the right click in the middle.
        const QPoint middle = widget()->rect().center();
        if (auto* box = qobject_cast<PictureBox*>(widget())) {
            if (action == pressAction())
                emit box->doubleClicked();
            else if (action == showMenuAction())
                emit box->mouseUp(2, 0, middle.x(), middle.y());
            else
                QAccessibleWidget::doAction(action);
            return;
        }
        auto* image = static_cast<ImageControl*>(widget());
        if (action == pressAction())
            emit image->doubleClicked();
        else if (action == showMenuAction())
            emit image->mouseUp(2, 0, middle.x(), middle.y());
        else
            QAccessibleWidget::doAction(action);
    }
};

// ---- option button ----

class OptionInterface : public ClickableInterface
{
public:
    explicit OptionInterface(OptionButton* b) : ClickableInterface(b, QAccessible::RadioButton) {}

    OptionButton* option() const { return static_cast<OptionButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return option()->accessibleName().isEmpty() ? withoutMnemonic(option()->text()).simplified()
                                                        : option()->accessibleName();
        case QAccessible::Description: return descriptionOf(option(), text(QAccessible::Name));
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = option()->isChecked();
        return s;
    }

};

QAccessibleInterface* programControls(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("ThreeDButton"))
        return new ButtonInterface(static_cast<ThreeDButton*>(object));
    if (className == QLatin1String("ThreeDPanel"))
        return new PanelInterface(static_cast<ThreeDPanel*>(object));
    if (className == QLatin1String("SpinButton"))
        return new SpinInterface(static_cast<SpinButton*>(object));
    if (className == QLatin1String("ImageControl") || className == QLatin1String("PictureBox"))
        return new PictureInterface(static_cast<QWidget*>(object));
    if (className == QLatin1String("OptionButton"))
        return new OptionInterface(static_cast<OptionButton*>(object));
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(programControls);
}
