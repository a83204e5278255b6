#pragma once

#include <QColor>
#include <QRadioButton>

// An option button. The OptionButtons sharing a parent form one group, but
// unlike Qt's auto-exclusive radio buttons the group can be left with none
// checked (setChecked(false) from code).
//
// Becoming checked - by click, Space or setChecked(true) - unchecks every
// sibling OptionButton and then emits selected(). Clicking a checked button
// keeps it checked and emits no selected(); unchecking from code emits none
// either. (QAbstractButton's clicked() is still emitted on every click.)
//
// The arrow keys move the focus within the group and check the button they reach:
// Down and Right to the next shown and enabled button in tab order, Up and Left
// to the previous one, round at the ends.
class OptionButton : public QRadioButton
{
    Q_OBJECT
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)

public:
    explicit OptionButton(QWidget* parent = nullptr);
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);

    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);

    // The other OptionButtons with the same parent, in child order.
    QList<OptionButton*> siblings() const;

signals:
    void selected();

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onToggled(bool checked);
    // The button `step` places on in the group (-1 back, 1 on), skipping hidden and
    // disabled ones; null when there is no other.
    OptionButton* neighbour(int step) const;

    QColor m_foreColor;
};
