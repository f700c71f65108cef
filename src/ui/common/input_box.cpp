#include "common/input_box.h"

#include "common/character_validator.h"
#include "common/ui_text.h"
#include "strings/users_strings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::ui {

InputBox::InputBox(
    const QString& caption, const QString& prompt, int maxLength, CharacterSet set, QWidget* parent)
    : QDialog(parent)
    , m_prompt(new QLabel(prompt, this))
    , m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("inputBox"));
    setWindowTitle(caption);
    m_edit->setObjectName(QStringLiteral("inputEdit"));
    m_edit->setAccessibleName(prompt);
    restrictLineEdit(m_edit, set, maxLength);
    m_prompt->setBuddy(m_edit);
    m_prompt->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(uiText(strings::kButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiText(strings::kButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setMinimumWidth(340);
    m_edit->setFocus();
}

QString InputBox::text() const
{
    return m_edit->text();
}

void InputBox::setText(const QString& text)
{
    m_edit->setText(text);
    m_edit->selectAll();
}

} // namespace quorvel::ui
