#include "dictionary_tools/transfer_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "common/wait_cursor.h"
#include "dictionary/bulk_transfer.h"
#include "dictionary/dictionary_ops.h"
#include "drill/word_file.h"
#include "strings/import_strings.h"
#include "strings/strings.h"
#include "strings/transfer_strings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel::ui {

TransferDialog::TransferDialog(
    UiContext& context, const BulkEditorSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_newOnly(new QRadioButton(uiText(strings::kTransferNewOnly), this))
    , m_all(new QRadioButton(uiText(strings::kTransferAll), this))
    , m_lock(new QCheckBox(uiText(strings::kTransferLockSounds), this))
    , m_uk(new QRadioButton(uiText(strings::kTransferUkOnly), this))
    , m_usa(new QRadioButton(uiText(strings::kTransferUsaOnly), this))
    , m_both(new QRadioButton(uiText(strings::kTransferBoth), this))
{
    setObjectName(QStringLiteral("transferDialog"));
    setWindowTitle(uiText(strings::kTransferDialogTitle));
    m_newOnly->setObjectName(QStringLiteral("newOnlyButton"));
    m_all->setObjectName(QStringLiteral("allButton"));
    m_lock->setObjectName(QStringLiteral("lockBox"));
    m_uk->setObjectName(QStringLiteral("ukButton"));
    m_usa->setObjectName(QStringLiteral("usaButton"));
    m_both->setObjectName(QStringLiteral("bothButton"));

    auto group = [this](std::initializer_list<QAbstractButton*> buttons) {
        auto* g = new QButtonGroup(this);
        auto* box = new QGroupBox(this);
        auto* layout = new QVBoxLayout(box);
        for (QAbstractButton* b : buttons) {
            g->addButton(b);
            layout->addWidget(b);
        }
        return box;
    };
    QGroupBox* type = group({ m_newOnly, m_all });
    type->layout()->addWidget(m_lock);
    QGroupBox* language = group({ m_uk, m_usa, m_both });

    const Session& session = context.session;
    const int category = session.info.workingCategory(session.currentUser());
    auto* selected = new QLabel(
        uiText(strings::kTransferCategorySelected) + toQString(session.info.categoryName(category)),
        this);
    selected->setObjectName(QStringLiteral("categoryLine"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* start
        = buttons->addButton(uiText(strings::kTransferStart), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("transferButton"));
    start->setDefault(true);
    QPushButton* cancel
        = buttons->addButton(uiText(strings::kTransferCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(type);
    layout->addWidget(language);
    layout->addWidget(selected);
    layout->addWidget(buttons);

    (settings.transferAll ? m_all : m_newOnly)->setChecked(true);
    m_lock->setChecked(settings.lockSoundWords);
    switch (settings.language) {
    case BulkLanguage::UK:
        m_uk->setChecked(true);
        break;
    case BulkLanguage::USA:
        m_usa->setChecked(true);
        break;
    case BulkLanguage::Both:
        m_both->setChecked(true);
        break;
    }
    start->setFocus();
}

BulkEditorSettings TransferDialog::settings() const
{
    BulkEditorSettings s;
    s.transferAll = m_all->isChecked();
    s.lockSoundWords = m_lock->isChecked();
    s.language = m_uk->isChecked() ? BulkLanguage::UK
        : m_usa->isChecked()       ? BulkLanguage::USA
                                   : BulkLanguage::Both;
    return s;
}

std::optional<BulkEditorSettings> runTransferSettings(
    UiContext& context, SettingsFile& file, QWidget* parent)
{
    // Settings the file holds already are not written again unless they change.
    const BulkEditorSettings stored = readOrWriteDefaultBulkEditorSettings(file);
    TransferDialog dialog(context, stored, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const BulkEditorSettings chosen = dialog.settings();
    if (chosen != stored && !writeBulkEditorSettings(file, chosen))
        context.prompter.show(
            strings::kUnableToWriteConfig, strings::kWarning, MessageIcon::Exclamation);
    return chosen;
}

std::optional<std::string> transferWindowText(
    UiContext& context, const BulkEditorSettings& settings, const std::string& text)
{
    Session& session = context.session;
    if (const std::string tooLarge = checkTransferSize(text.size()); !tooLarge.empty()) {
        context.prompter.show(tooLarge, strings::kWarning, MessageIcon::Exclamation);
        return std::nullopt;
    }
    std::string report = transferReportHeading();
    BulkTransferSetup setup;
    setup.settings = settings;
    setup.category = session.info.workingCategory(session.currentUser());
    setup.categoryName = [&session](int slot) { return session.info.categoryName(slot); };

    const BusyHook busy = waitCursorHook();
    BusyScope scope(busy);
    DictionaryHandle file = OpenDictionary(session.info);
    if (!file) {
        scope.end();
        context.prompter.show(
            strings::kTransferOpenFailed, strings::kWarning, MessageIcon::Exclamation);
        return report + transferStatistics({});
    }
    const BulkTransferResult result = runBulkTransfer(*file, text, setup);
    const bool synced = file->sync();
    const bool closed = CloseDictionary(file) && synced;
    const TransferCounters& c = result.counters;
    const bool changed = c.of(TransferOutcome::Transferred) + c.of(TransferOutcome::Moved) > 0
        || result.fileFailed;
    std::string listFailed;
    const bool listsMarked
        = !changed || invalidateAllWordFiles(session.info.dataFolder(), &listFailed);
    scope.end();

    if (!closed)
        context.prompter.show(
            strings::kTransferCloseFailed, strings::kWarning, MessageIcon::Exclamation);
    if (!listsMarked)
        context.prompter.show(strings::fillIn(strings::kImportListsNotMarked, { listFailed }),
            strings::kWarning, MessageIcon::Exclamation);
    for (const std::string& line : result.lines)
        report += line;
    report += transferStatistics(c);
    if (changed)
        session.noteDictionaryChanged();
    return report;
}

} // namespace quorvel::ui
