#include "drill/number_box.h"

#include "drill/drill_settings.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

namespace quorvel::ui {

NumberBox::NumberBox(const SpinRange& range, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_range(range)
    , m_position(range.fallback)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    lineEdit()->setMaxLength(kNumberBoxLength);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        followText(text);
        Q_EMIT edited(text);
    });
}

void NumberBox::setBoxText(const QString& text)
{
    lineEdit()->setText(text);
    m_position = spinStart(text.toStdString(), m_range);
}

QString NumberBox::boxText() const
{
    return lineEdit()->text();
}

void NumberBox::followText(const QString& text)
{
    const int value = decimalValue(text.toStdString());
    if (value >= m_range.minimum && value <= m_range.maximum)
        m_position = value;
}

void NumberBox::stepBy(int steps)
{
    const int target = std::clamp(m_position + steps, m_range.minimum, m_range.maximum);
    if (target == m_position)
        return;
    if (m_filter && !m_filter(m_position, target))
        return;
    m_position = target;
    const QString text = QString::number(target);
    lineEdit()->setText(text);
    lineEdit()->selectAll();
    Q_EMIT edited(text);
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (m_position < m_range.maximum)
        enabled |= StepUpEnabled;
    if (m_position > m_range.minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State NumberBox::validate(QString& input, int&) const
{
    if (input.size() > kNumberBoxLength)
        return QValidator::Invalid;
    for (const QChar ch : input) {
        if (!ch.isDigit() || ch.unicode() > 0x7F)
            return QValidator::Invalid;
    }
    // A number past the top of the range cannot become valid by typing more digits.
    if (decimalValue(input.toStdString()) > m_range.maximum)
        return QValidator::Invalid;
    return QValidator::Acceptable;
}

QSize NumberBox::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(font());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(
        metrics.horizontalAdvance(QStringLiteral("00000")), lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

} // namespace quorvel::ui
