#pragma once

#include "drill/list_setup_rules.h"

#include <QAbstractSpinBox>
#include <functional>

namespace quorvel::ui {

// A number box with its spin button, as the settings pages use it. Unlike QSpinBox it keeps the
// text the person typed, even out of range: the page puts the stored value back when it is
// applied, rather than the box quietly clamping it. Typing is held to digits, at most
// `kNumberBoxLength` of them, and to numbers no larger than the range allows. The button starts
// at the box's number (or the range's fallback when the box reads 0) and steps inside the range;
// a step filter may refuse a step.
class NumberBox final : public QAbstractSpinBox
{
    Q_OBJECT
public:
    NumberBox(const SpinRange& range, QWidget* parent = nullptr);

    // Sets the text without counting as an edit; the button's position follows it.
    void setBoxText(const QString& text);
    QString boxText() const;
    int position() const { return m_position; }

    // filter(current, target) -> whether the step may happen.
    void setStepFilter(std::function<bool(int, int)> filter) { m_filter = std::move(filter); }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString&) const override { }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The person changed the text, by typing or with the button.
    void edited(const QString& text);

protected:
    StepEnabled stepEnabled() const override;

private:
    void followText(const QString& text);

    SpinRange m_range;
    int m_position;
    std::function<bool(int, int)> m_filter;
};

} // namespace quorvel::ui
