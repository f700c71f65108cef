#include "drill/number_box.h"

#include "drill/drill_settings.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

namespace quorvel::ui {

NumberBox::NumberBox(const SpinSpec& spec, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_spec(spec)
    , m_position(spec.fallback)
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
    m_position = spinStart(text.toStdString(), m_spec);
}

QString NumberBox::boxText() const
{
    return lineEdit()->text();
}

void NumberBox::followText(const QString& text)
{
    const int value = decimalValue(text.toStdString());
    if (value >= m_spec.minimum && value <= m_spec.maximum)
        m_position = value;
}

void NumberBox::stepBy(int steps)
{
    const int target = std::clamp(m_position + steps, m_spec.minimum, m_spec.maximum);
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
    if (m_position < m_spec.maximum)
        enabled |= StepUpEnabled;
    if (m_position > m_spec.minimum)
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
    if (decimalValue(input.toStdString()) > m_spec.maximum)
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
