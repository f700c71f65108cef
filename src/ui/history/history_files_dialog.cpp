#include "history/history_files_dialog.h"

#include "app/session.h"
#include "common/character_validator.h"
#include "common/ui_text.h"
#include "common/wait_cursor.h"
#include "platform/services.h"
#include "strings/history_strings.h"
#include "strings/strings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel::ui {

namespace {

// Two digits are enough for every number of records the file can have (3 to 60).
constexpr int kRecordsLength = 2;

// The user list is wide enough for this many average characters, so short names do not make a
// narrow list; longer names widen it.
constexpr int kNameWidthChars = 20;

} // namespace

HistoryFilesDialog::HistoryFilesDialog(UiContext& context, Clock& clock, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_clock(clock)
    , m_opening(historyGenerationOpening(context.session))
{
    setObjectName(QStringLiteral("historyFilesDialog"));
    setWindowTitle(uiText(strings::kHistoryDialogTitle));
    const Session& session = context.session;

    // The ten users in slot order, as the tool bar's user box lists them.
    m_users = new QListWidget(this);
    m_users->setObjectName(QStringLiteral("userList"));
    m_users->setAccessibleName(uiText(strings::kHistoryUserListName));
    m_users->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int u = 0; u < kUserSlots; ++u)
        m_users->addItem(toQString(session.info.userName(u)).trimmed());
    m_users->setCurrentRow(m_opening.user);
    // All ten names at once, the longest of them in full.
    const int frame = 2 * m_users->frameWidth();
    m_users->setFixedHeight(m_users->sizeHintForRow(0) * kUserSlots + frame);
    const int nameWidth
        = m_users->fontMetrics().horizontalAdvance(QString(kNameWidthChars, QLatin1Char('n')));
    m_users->setFixedWidth(std::max(m_users->sizeHintForColumn(0), nameWidth) + frame + 8);
    m_users->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_users->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_records = new QLineEdit(toQString(m_opening.recordsText), this);
    m_records->setObjectName(QStringLiteral("recordsEdit"));
    m_records->setAccessibleName(
        withoutMnemonic(uiText(strings::kHistoryRecordsLabel)).simplified());
    restrictLineEdit(m_records, CharacterSet::Digits, kRecordsLength);
    m_records->setFixedWidth(
        m_records->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    auto* recordsLabel = new QLabel(uiText(strings::kHistoryRecordsLabel), this);
    recordsLabel->setObjectName(QStringLiteral("recordsLabel"));
    recordsLabel->setBuddy(m_records);
    auto* note = new QLabel(uiText(strings::kHistoryRecordsNote), this);
    note->setObjectName(QStringLiteral("recordsNote"));
    auto* recordsRow = new QHBoxLayout;
    recordsRow->addWidget(recordsLabel);
    recordsRow->addWidget(m_records);
    recordsRow->addSpacing(12);
    recordsRow->addWidget(note);
    recordsRow->addStretch(1);

    // Made inside their group box and grouped before either is checked, so that they are
    // exclusive with each other and with nothing else.
    auto* forBox = new QGroupBox(uiText(strings::kHistoryGenerateFor), this);
    forBox->setObjectName(QStringLiteral("generateForGroup"));
    m_individual = new QRadioButton(uiText(strings::kHistoryIndividualUser), forBox);
    m_individual->setObjectName(QStringLiteral("individualUserRadio"));
    m_individual->setAccessibleName(withoutMnemonic(uiText(strings::kHistoryIndividualUser)));
    m_all = new QRadioButton(uiText(strings::kHistoryAllUsers), forBox);
    m_all->setObjectName(QStringLiteral("allUsersRadio"));
    m_all->setAccessibleName(withoutMnemonic(uiText(strings::kHistoryAllUsers)));
    auto* forGroup = new QButtonGroup(forBox);
    forGroup->addButton(m_individual);
    forGroup->addButton(m_all);
    (m_opening.allUsers ? m_all : m_individual)->setChecked(true);
    auto* forLayout = new QVBoxLayout(forBox);
    forLayout->addWidget(m_individual);
    forLayout->addWidget(m_all);

    auto* okButton = new QPushButton(uiText(strings::kHistoryOkButton), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    // Enter closes the dialog; making files always takes the Generate button.
    okButton->setDefault(true);
    auto* helpButton = new QPushButton(uiText(strings::kHistoryHelpButton), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    helpButton->setAutoDefault(false);
    auto* generateButton = new QPushButton(uiText(strings::kHistoryGenerateButton), this);
    generateButton->setObjectName(QStringLiteral("generateButton"));
    generateButton->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(helpButton);
    buttons->addStretch(1);
    buttons->addWidget(generateButton);

    auto* left = new QVBoxLayout;
    left->addLayout(recordsRow);
    left->addWidget(forBox);
    left->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_users);
    body->addLayout(left, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab follows the reading order: users, number, the group, the buttons.
    setTabOrder(m_users, m_records);
    setTabOrder(m_records, m_individual);
    setTabOrder(m_individual, m_all);
    setTabOrder(m_all, okButton);
    setTabOrder(okButton, helpButton);
    setTabOrder(helpButton, generateButton);

    // Choosing a user means that user alone.
    connect(m_users, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_individual->setChecked(true);
    });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(generateButton, &QPushButton::clicked, this, &HistoryFilesDialog::generate);
    auto showHelp = [this] { m_context.help.showContext(kHelpContext); };
    connect(helpButton, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);

    m_users->setFocus();
}

HistoryGenerationValues HistoryFilesDialog::values() const
{
    HistoryGenerationValues v = m_opening;
    if (m_users->currentRow() >= 0)
        v.user = m_users->currentRow();
    v.recordsText = m_records->text().toStdString();
    v.allUsers = m_all->isChecked();
    return v;
}

void HistoryFilesDialog::generate()
{
    generateHistoryFiles(m_context.session.info.dataFolder(), values(), m_clock, m_context.prompter,
        waitCursorHook());
}

void runNewHistoryFiles(QWidget* parent, UiContext& context)
{
    SystemClock clock;
    HistoryFilesDialog dialog(context, clock, parent);
    dialog.exec();
}

} // namespace quorvel::ui
