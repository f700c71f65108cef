#include "dictionary_tools/import_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "common/wait_cursor.h"
#include "strings/app_strings.h"
#include "strings/import_strings.h"
#include "strings/strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quorvel::ui {

ImportDialog::ImportDialog(
    UiContext& context, std::string folder, SoundIndexFree check, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_check(std::move(check))
    , m_folderField(new QLineEdit(this))
    , m_from(new QComboBox(this))
    , m_to(new QComboBox(this))
    , m_force(new QCheckBox(uiText(strings::kImportForce), this))
    , m_successful(new QLabel(QStringLiteral("0"), this))
    , m_already(new QLabel(QStringLiteral("0"), this))
    , m_unable(new QLabel(QStringLiteral("0"), this))
    , m_add(new QPushButton(uiText(strings::kImportAddButton), this))
    , m_combine(new QPushButton(uiText(strings::kImportCombineButton), this))
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(uiText(strings::kImportDialogTitle));
    m_pickFolder = [this](const std::string& start) -> std::optional<std::string> {
        const QString chosen = QFileDialog::getExistingDirectory(
            this, uiText(strings::kImportBrowseCaption), toQString(start));
        if (chosen.isEmpty())
            return std::nullopt;
        return chosen.toStdString();
    };

    m_folderField->setObjectName(QStringLiteral("folderField"));
    m_folderField->setReadOnly(true);
    auto* folderLabel = new QLabel(uiText(strings::kImportFolderLabel), this);
    folderLabel->setBuddy(m_folderField);
    auto* browseButton = new QPushButton(uiText(strings::kImportBrowse), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folderField, 1);
    folderRow->addWidget(browseButton);

    auto* important = new QLabel(uiText(strings::kImportImportant), this);
    important->setWordWrap(true);

    m_from->setObjectName(QStringLiteral("fromBox"));
    m_to->setObjectName(QStringLiteral("toBox"));
    m_from->setMaxVisibleItems(16);
    m_to->setMaxVisibleItems(16);
    const int nameWidth = fontMetrics().horizontalAdvance(QString(26, QLatin1Char('M'))) * 3 / 4;
    m_from->setMinimumWidth(nameWidth);
    m_to->setMinimumWidth(nameWidth);
    auto* fromLabel = new QLabel(uiText(strings::kImportFromLabel), this);
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel(uiText(strings::kImportToLabel), this);
    toLabel->setBuddy(m_to);
    auto* boxes = new QGridLayout;
    boxes->addWidget(fromLabel, 0, 0);
    boxes->addWidget(toLabel, 0, 1);
    boxes->addWidget(m_from, 1, 0);
    boxes->addWidget(m_to, 1, 1);
    boxes->setColumnStretch(0, 1);
    boxes->setColumnStretch(1, 1);

    m_force->setObjectName(QStringLiteral("forceBox"));

    m_successful->setObjectName(QStringLiteral("successfulCount"));
    m_already->setObjectName(QStringLiteral("alreadyCount"));
    m_unable->setObjectName(QStringLiteral("unableCount"));
    auto* counts = new QFormLayout;
    counts->addRow(uiText(strings::kImportSuccessfulLabel), m_successful);
    counts->addRow(uiText(strings::kImportAlreadyLabel), m_already);
    counts->addRow(uiText(strings::kImportUnableLabel), m_unable);

    m_add->setObjectName(QStringLiteral("addButton"));
    m_combine->setObjectName(QStringLiteral("combineButton"));
    auto* done = new QPushButton(uiText(strings::kImportDoneButton), this);
    done->setObjectName(QStringLiteral("doneButton"));
    auto* help = new QPushButton(uiText(strings::kImportHelpButton), this);
    help->setObjectName(QStringLiteral("helpButton"));
    for (QPushButton* b : { m_add, m_combine, help })
        b->setAutoDefault(false);
    done->setDefault(true);
    auto* actions = new QVBoxLayout;
    actions->addWidget(m_add);
    actions->addWidget(m_combine);
    actions->addStretch(1);
    actions->addWidget(done);
    actions->addWidget(help);

    auto* main = new QVBoxLayout;
    main->addLayout(folderRow);
    main->addWidget(important);
    main->addLayout(boxes);
    main->addWidget(m_force);
    main->addLayout(counts);
    main->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addLayout(actions);

    QWidget* previous = m_folderField;
    for (QWidget* w : std::initializer_list<QWidget*> {
             browseButton, m_from, m_to, m_force, m_add, m_combine, done, help }) {
        setTabOrder(previous, w);
        previous = w;
    }

    refillTargets();
    // A free category is what Add fills: the first one is chosen to start with.
    for (int slot = 1; slot < kCategorySlots; ++slot) {
        if (context.session.info.categoryName(slot) == strings::kFreeCategory) {
            m_to->setCurrentIndex(slot);
            break;
        }
    }
    m_folder = std::move(folder);
    m_folderField->setText(toQString(m_folder));
    m_add->setEnabled(false);
    m_combine->setEnabled(false);

    connect(m_add, &QPushButton::clicked, this, [this] { act(AdditionalImportAction::Add); });
    connect(
        m_combine, &QPushButton::clicked, this, [this] { act(AdditionalImportAction::Combine); });
    connect(browseButton, &QPushButton::clicked, this, &ImportDialog::browse);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(
        help, &QPushButton::clicked, this, [this] { m_context.help.showContext(kHelpContext); });
}

bool ImportDialog::loadFolder(const std::string& folder)
{
    m_folder = folder;
    m_folderField->setText(toQString(folder));
    const AdditionalConfigRead read = readAdditionalConfig(folder);
    const QSignalBlocker block(m_from);
    m_from->clear();
    m_add->setEnabled(read.names.has_value());
    m_combine->setEnabled(read.names.has_value());
    if (!read.names) {
        m_sourceNames = {};
        m_context.prompter.show(
            std::string(strings::kImportConfigUnreadable) + "\r\n" + read.reason, strings::kWarning,
            MessageIcon::Exclamation);
        return false;
    }
    m_sourceNames = *read.names;
    for (const std::string& name : m_sourceNames)
        m_from->addItem(toQString(name));
    // The first category with a name is the likely one.
    for (int slot = 1; slot < kCategorySlots; ++slot) {
        const std::string& name = m_sourceNames[static_cast<std::size_t>(slot)];
        if (!name.empty() && name != strings::kFreeCategory) {
            m_from->setCurrentIndex(slot);
            break;
        }
    }
    return true;
}

AdditionalImportValues ImportDialog::values() const
{
    AdditionalImportValues v;
    v.folder = m_folder;
    v.sourceNames = m_sourceNames;
    v.from = m_from->currentIndex();
    v.to = m_to->currentIndex();
    v.force = m_force->isChecked();
    return v;
}

void ImportDialog::act(AdditionalImportAction action)
{
    const AdditionalImportOutcome outcome = applyAdditionalImport(
        m_context.session, action, values(), m_context.prompter, m_check, waitCursorHook());
    if (outcome.ran)
        showCounts(outcome.counts);
    if (outcome.named) {
        m_named = true;
        refillTargets();
    }
}

void ImportDialog::browse()
{
    if (const std::optional<std::string> chosen = m_pickFolder(m_folder))
        loadFolder(*chosen);
}

void ImportDialog::refillTargets()
{
    const int to = m_to->currentIndex();
    const QSignalBlocker block(m_to);
    m_to->clear();
    for (int slot = 0; slot < kCategorySlots; ++slot)
        m_to->addItem(toQString(m_context.session.info.categoryName(slot)));
    if (to >= 0)
        m_to->setCurrentIndex(to);
}

void ImportDialog::showCounts(const AdditionalImportCounts& counts)
{
    m_successful->setText(QString::number(counts.successful));
    m_already->setText(QString::number(counts.already));
    m_unable->setText(QString::number(counts.unable));
}

bool runImportCategories(UiContext& context, QWidget* parent, SoundIndexFree check)
{
    const std::string folder
        = additionalImportFolder(context.session.info, context.session.programFolder);
    if (context.prompter.show(strings::fillIn(strings::kImportReadyQuestion, { folder }),
            strings::kInformation, MessageIcon::Question, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return false;
    ImportDialog dialog(context, folder, std::move(check), parent);
    dialog.loadFolder(folder);
    dialog.exec();
    if (!dialog.namedCategory())
        return false;
    // The names go to the tool bar's category box, and the record is saved as the dialog ends.
    context.session.noteDictionaryChanged();
    context.session.saveStartupInfo(context.prompter, strings::kErrorWritingUserInfo);
    return true;
}

} // namespace quorvel::ui
