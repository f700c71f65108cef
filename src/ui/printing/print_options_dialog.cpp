#include "printing/print_options_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "platform/services.h"
#include "strings/printing_strings.h"
#include "strings/strings.h"
#include "strings/users_strings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

constexpr int kPrintOptionsHelpTopic = 260;

} // namespace

PrintOptionsDialog::PrintOptionsDialog(
    UiContext& context, const PrintOptionsValues& opening, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_margin(new QLineEdit(this))
    , m_small(new QRadioButton(uiText(strings::kSmallFontSize), this))
    , m_normal(new QRadioButton(uiText(strings::kNormalFontSize), this))
    , m_large(new QRadioButton(uiText(strings::kLargeFontSize), this))
{
    setObjectName(QStringLiteral("classprintsetup"));
    setWindowTitle(uiText(strings::kPrintOptionsCaption));

    auto* marginLabel = new QLabel(uiText(strings::kLeftMarginLabel), this);
    marginLabel->setBuddy(m_margin);
    m_margin->setObjectName(QStringLiteral("marginBox"));
    m_margin->setMaxLength(kMarginBoxLength);
    // Typing is held to digits; the range is checked when OK is pressed, as the message says.
    m_margin->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMarginBoxLength)), m_margin));
    m_margin->setText(toQString(opening.marginText));
    m_margin->setMaximumWidth(m_margin->fontMetrics().averageCharWidth() * 10);
    auto* note = new QLabel(uiText(strings::kMarginNote), this);
    note->setObjectName(QStringLiteral("marginNote"));
    note->setWordWrap(true);

    auto* sizes = new QGroupBox(uiText(strings::kFontSizeGroup), this);
    auto* group = new QButtonGroup(this);
    auto* sizesLayout = new QVBoxLayout(sizes);
    const struct
    {
        QRadioButton* button;
        const char* name;
    } radios[]
        = { { m_small, "smallRadio" }, { m_normal, "normalRadio" }, { m_large, "largeRadio" } };
    for (const auto& r : radios) {
        r.button->setObjectName(QString::fromLatin1(r.name));
        group->addButton(r.button);
        sizesLayout->addWidget(r.button);
    }
    // Any size past normal shows as large.
    (opening.size == PrintSize::Small           ? m_small
            : opening.size == PrintSize::Normal ? m_normal
                                                : m_large)
        ->setChecked(true);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    QPushButton* help = buttons->button(QDialogButtonBox::Help);
    help->setObjectName(QStringLiteral("helpButton"));
    help->setText(uiText(strings::kButtonHelp));
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto showHelp = [this] { m_context.help.showContext(kPrintOptionsHelpTopic); };
    connect(buttons, &QDialogButtonBox::helpRequested, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);

    auto* marginRow = new QGridLayout;
    marginRow->addWidget(marginLabel, 0, 0);
    marginRow->addWidget(m_margin, 0, 1, Qt::AlignLeft);
    marginRow->addWidget(note, 1, 0, 1, 2);
    marginRow->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(marginRow);
    layout->addWidget(sizes);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_margin, m_small);
    m_margin->setFocus();
    m_margin->selectAll();
}

PrintOptionsValues PrintOptionsDialog::values() const
{
    PrintOptionsValues v;
    v.size = m_small->isChecked() ? PrintSize::Small
        : m_large->isChecked()    ? PrintSize::Large
                                  : PrintSize::Normal;
    v.marginText = m_margin->text().toStdString();
    return v;
}

void PrintOptionsDialog::accept()
{
    if (!marginTextInRange(m_margin->text().toStdString())) {
        m_context.prompter.show(marginRangeMessage(), strings::kWarning, MessageIcon::Exclamation);
        m_margin->setFocus();
        m_margin->selectAll();
        return;
    }
    QDialog::accept();
}

bool runPrintOptions(UiContext& context, SettingsFile& settings, QWidget* parent)
{
    PrintOptionsDialog dialog(context, printOptionsOpening(settings), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!applyPrintOptions(settings, dialog.values(), context.session.printSettings))
        context.prompter.show(
            strings::kPrintOptionsNotSaved, strings::kWarning, MessageIcon::Exclamation);
    return true;
}

} // namespace quorvel::ui
