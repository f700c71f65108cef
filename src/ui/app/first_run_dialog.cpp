#include "app/first_run_dialog.h"

#include "strings/strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

// The dialect's text as it stands, two leading blanks included, with its letter (S or K) as the
// keyboard mnemonic.
QString dialectLabel(const char* text, QChar letter)
{
    QString label = QString::fromLatin1(text);
    label.insert(label.indexOf(letter), QLatin1Char('&'));
    return label;
}

} // namespace

FirstRunDialog::FirstRunDialog(QWidget* parent)
    : QDialog(parent)
    , m_us(new QRadioButton(dialectLabel(strings::kFirstRunUsDialect, QLatin1Char('S')), this))
    , m_uk(new QRadioButton(dialectLabel(strings::kFirstRunUkDialect, QLatin1Char('K')), this))
    , m_flag(new QCheckBox(QString::fromLatin1(strings::kFirstRunFlagBox), this))
{
    setObjectName(QStringLiteral("firstRunDialog"));
    setWindowTitle(QString::fromLatin1(strings::kFirstRunTitle));
    m_us->setObjectName(QStringLiteral("usDialect"));
    m_uk->setObjectName(QStringLiteral("ukDialect"));
    m_flag->setObjectName(QStringLiteral("showFlag"));
    m_us->setAccessibleName(QStringLiteral("U.S. Dialect"));
    m_uk->setAccessibleName(QStringLiteral("U.K. Dialect"));
    m_flag->setAccessibleName(QString::fromLatin1(strings::kFirstRunFlagBox));
    m_us->setChecked(true);
    m_flag->setChecked(true);

    auto* prompt = new QLabel(QString::fromLatin1(strings::kFirstRunPrompt), this);
    prompt->setWordWrap(true);
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_us);
    groupLayout->addWidget(m_uk);
    auto* once = new QLabel(QString::fromLatin1(strings::kFirstRunOnce), this);
    once->setAlignment(Qt::AlignCenter);
    QFont bold = once->font();
    bold.setBold(true);
    once->setFont(bold);
    auto* later = new QLabel(QString::fromLatin1(strings::kFirstRunLater), this);
    later->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* done = buttons->addButton(QStringLiteral("&Done"), QDialogButtonBox::AcceptRole);
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
