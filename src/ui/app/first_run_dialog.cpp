#include "app/first_run_dialog.h"

#include "common/ui_text.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel::ui {

FirstRunDialog::FirstRunDialog(QWidget* parent)
    : QDialog(parent)
    , m_us(new QRadioButton(uiText(strings::kFirstRunUsDialect), this))
    , m_uk(new QRadioButton(uiText(strings::kFirstRunUkDialect), this))
    , m_flag(new QCheckBox(uiText(strings::kFirstRunFlagBox), this))
{
    setObjectName(QStringLiteral("firstRunDialog"));
    setWindowTitle(uiText(strings::kFirstRunTitle));
    m_us->setObjectName(QStringLiteral("usDialect"));
    m_uk->setObjectName(QStringLiteral("ukDialect"));
    m_flag->setObjectName(QStringLiteral("showFlag"));
    m_us->setAccessibleName(withoutMnemonic(m_us->text()).trimmed());
    m_uk->setAccessibleName(withoutMnemonic(m_uk->text()).trimmed());
    m_flag->setAccessibleName(uiText(strings::kFirstRunFlagBox));
    m_us->setChecked(true);
    m_flag->setChecked(true);

    auto* prompt = new QLabel(uiText(strings::kFirstRunPrompt), this);
    prompt->setWordWrap(true);
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_us);
    groupLayout->addWidget(m_uk);
    auto* once = new QLabel(uiText(strings::kFirstRunOnce), this);
    once->setAlignment(Qt::AlignCenter);
    QFont bold = once->font();
    bold.setBold(true);
    once->setFont(bold);
    auto* later = new QLabel(uiText(strings::kFirstRunLater), this);
    later->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* done
        = buttons->addButton(uiText(strings::kDoneButton), QDialogButtonBox::AcceptRole);
    done->setObjectName(QStringLiteral("doneButton"));
    done->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(group);
    layout->addWidget(m_flag);
    layout->addSpacing(8);
    layout->addWidget(once);
    layout->addWidget(later);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    m_us->setFocus();
}

bool FirstRunDialog::usDialect() const
{
    return m_us->isChecked();
}

bool FirstRunDialog::showFlag() const
{
    return m_flag->isChecked();
}

} // namespace quorvel::ui
