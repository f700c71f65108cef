#include "system/system_setup_dialog.h"

#include "common/character_validator.h"
#include "common/ui_text.h"
#include "common/wait_cursor.h"
#include "dictionary/dictionary_backup.h"
#include "strings/settings_strings.h"
#include "users/system_setup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

// Names on the history buttons are cut to this many characters.
constexpr qsizetype kHistoryNameLength = 24;

// Thresholds are percentages: three digits at most.
constexpr int kThresholdLength = 3;

} // namespace

SystemSetupDialog::SystemSetupDialog(
    UiContext& context, const SystemSetupChoices& opening, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_opening(opening)
{
    setObjectName(QStringLiteral("systemSetupDialog"));
    setWindowTitle(uiText(strings::kSystemSetupCaption));
    const Session& session = context.session;

    // The reset always concerns the current user, whose name is shown.
    auto* resetBox = new QGroupBox(this);
    auto* resetLayout = new QGridLayout(resetBox);
    auto* userName = new QLabel(toQString(session.info.userName(session.currentUser())), resetBox);
    userName->setObjectName(QStringLiteral("resetUserName"));
    resetLayout->addWidget(new QLabel(uiText(strings::kResetUsersStatusFor), resetBox), 0, 0);
    resetLayout->addWidget(userName, 0, 1);
    auto* levelBox = new QGroupBox(uiText(strings::kResetWordLevelTo), resetBox);
    auto* levelLayout = new QVBoxLayout(levelBox);
    m_resetDefault = new QRadioButton(uiText(strings::kResetDefault), levelBox);
    m_resetDefault->setObjectName(QStringLiteral("resetDefault"));
    m_resetDefault->setAccessibleName(withoutMnemonic(uiText(strings::kResetDefault)));
    m_resetSuccess = new QRadioButton(uiText(strings::kResetSuccess), levelBox);
    m_resetSuccess->setObjectName(QStringLiteral("resetSuccess"));
    m_resetSuccess->setAccessibleName(withoutMnemonic(uiText(strings::kResetSuccess)));
    (opening.resetToSuccess ? m_resetSuccess : m_resetDefault)->setChecked(true);
    levelLayout->addWidget(m_resetDefault);
    levelLayout->addWidget(m_resetSuccess);
    auto* levelGroup = new QButtonGroup(levelBox);
    levelGroup->addButton(m_resetDefault);
    levelGroup->addButton(m_resetSuccess);
    auto* resetButton = new QPushButton(uiText(strings::kResetButton), resetBox);
    resetButton->setObjectName(QStringLiteral("resetButton"));
    resetButton->setAutoDefault(false);
    resetLayout->addWidget(levelBox, 1, 0);
    resetLayout->addWidget(resetButton, 1, 1, Qt::AlignBottom);

    auto* historyBox = new QGroupBox(uiText(strings::kSelectHistoryUser), this);
    auto* historyLayout = new QGridLayout(historyBox);
    auto* historyGroup = new QButtonGroup(historyBox);
    constexpr int kRows = kUserSlots / 2;
    for (int u = 0; u < kUserSlots; ++u) {
        QString name = toQString(session.info.userName(u)).left(kHistoryNameLength).trimmed();
        if (name.isEmpty())
            name = uiText(strings::kUserButton).arg(u + 1);
        auto* button = new QRadioButton(name, historyBox);
        button->setObjectName(QStringLiteral("historyUser%1").arg(u));
        button->setAccessibleName(name);
        button->setChecked(opening.historyUser[static_cast<std::size_t>(u)] == 1);
        historyGroup->addButton(button, u);
        // Down the first column, then the second, so Tab and the arrows follow the reading order.
        historyLayout->addWidget(button, u % kRows, u / kRows);
        m_historyUser[static_cast<std::size_t>(u)] = button;
    }

    m_promotion = new QLineEdit(toQString(opening.promotionText), this);
    m_promotion->setObjectName(QStringLiteral("promotionEdit"));
    m_promotion->setAccessibleName(
        withoutMnemonic(uiText(strings::kPromotionThreshold)).simplified());
    restrictLineEdit(m_promotion, CharacterSet::Digits, kThresholdLength);
    m_demotion = new QLineEdit(toQString(opening.demotionText), this);
    m_demotion->setObjectName(QStringLiteral("demotionEdit"));
    m_demotion->setAccessibleName(
        withoutMnemonic(uiText(strings::kDemotionThreshold)).simplified());
    restrictLineEdit(m_demotion, CharacterSet::Digits, kThresholdLength);
    for (QLineEdit* edit : { m_promotion, m_demotion })
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    auto* thresholds = new QGridLayout;
    auto* promotionLabel = new QLabel(uiText(strings::kPromotionThreshold), this);
    promotionLabel->setBuddy(m_promotion);
    auto* demotionLabel = new QLabel(uiText(strings::kDemotionThreshold), this);
    demotionLabel->setBuddy(m_demotion);
    thresholds->addWidget(promotionLabel, 0, 0);
    thresholds->addWidget(m_promotion, 0, 1);
    thresholds->addWidget(demotionLabel, 1, 0);
    thresholds->addWidget(m_demotion, 1, 1);
    thresholds->setColumnStretch(2, 1);

    auto* doneButton = new QPushButton(uiText(strings::kDoneButton), this);
    doneButton->setObjectName(QStringLiteral("doneButton"));
    doneButton->setDefault(true);
    auto* helpButton = new QPushButton(uiText(strings::kHelpButton), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    helpButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(doneButton);
    buttons->addWidget(helpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(resetBox);
    layout->addWidget(historyBox);
    layout->addLayout(thresholds);
    layout->addLayout(buttons);

    connect(resetButton, &QPushButton::clicked, this, &SystemSetupDialog::resetStatus);
    connect(doneButton, &QPushButton::clicked, this, &SystemSetupDialog::confirm);
    auto showHelp = [this] { m_context.help.showContext(kHelpContext); };
    connect(helpButton, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);

    // Tab follows the layout: reset group, history users, thresholds, buttons.
    m_resetDefault->setFocus();
}

SystemSetupChoices SystemSetupDialog::choices() const
{
    SystemSetupChoices c = m_opening;
    for (int u = 0; u < kUserSlots; ++u)
        c.historyUser[static_cast<std::size_t>(u)]
            = m_historyUser[static_cast<std::size_t>(u)]->isChecked() ? 1 : 0;
    c.resetToDefault = m_resetDefault->isChecked() ? 1 : 0;
    c.resetToSuccess = m_resetSuccess->isChecked() ? 1 : 0;
    c.promotionText = m_promotion->text().toStdString();
    c.demotionText = m_demotion->text().toStdString();
    return c;
}

void SystemSetupDialog::confirm()
{
    std::string promotion = m_promotion->text().toStdString();
    std::string demotion = m_demotion->text().toStdString();
    checkThresholds(promotion, demotion, m_context.session.info);
    m_promotion->setText(toQString(promotion));
    m_demotion->setText(toQString(demotion));
    accept();
}

void SystemSetupDialog::resetStatus()
{
    Session& session = m_context.session;
    const int status = m_resetSuccess->isChecked() ? 2 : 1;
    ResetUserStatus(
        session.info, session.currentUser(), status, m_context.prompter, waitCursorHook());
}

void runSystemSetup(QWidget* parent, UiContext& context)
{
    SystemSetupDialog dialog(context, systemSetupOpening(context.session), parent);
    if (dialog.exec() == QDialog::Accepted)
        systemSetupDone(context.session, dialog.choices());
}

} // namespace quorvel::ui
