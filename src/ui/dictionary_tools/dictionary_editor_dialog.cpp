#include "dictionary_tools/dictionary_editor_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "config/settings_groups.h"
#include "sound/recording_settings.h"
#include "sound/sound_device.h"
#include "sound/sound_recorder.h"
#include "strings/editor_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

constexpr int kRecordPollMs = 100;
// The platform's error texts are shown up to this length.
constexpr int kErrorTextMax = 160;

QRadioButton* radio(QWidget* parent, const char* text, const char* name)
{
    auto* b = new QRadioButton(uiText(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

void checkButton(QButtonGroup* group, int id)
{
    const QSignalBlocker block(group);
    if (QAbstractButton* b = group->button(id))
        b->setChecked(true);
}

} // namespace

DictionaryEditorDialog::DictionaryEditorDialog(UiContext& context, SoundDevice* sound,
    SoundRecorder* recorder, SettingsFile* settings, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_sound(sound)
    , m_recorder(recorder)
    , m_settings(settings)
    , m_model(context.session.info, context.session.currentUser(), context.prompter, m_random)
    , m_word(new QLineEdit(this))
    , m_result(new QLabel(this))
    , m_category(new QComboBox(this))
    , m_user(new QComboBox(this))
    , m_status(new QLabel(this))
    , m_list(new QListWidget(this))
    , m_language(new QButtonGroup(this))
    , m_soundFlag(new QButtonGroup(this))
    , m_media(new QButtonGroup(this))
    , m_added(new QLabel(this))
    , m_soundStatus(new QLabel(this))
    , m_waveform(new QLineEdit(this))
    , m_recordButton(new QPushButton(this))
    , m_recordingMarker(new QLabel(this))
    , m_recordTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("dictionaryEditorDialog"));
    setWindowTitle(uiText(strings::kEditorTitle));
    // Index numbers of new recordings are drawn from a generator seeded from the clock.
    m_random.seed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(uiText(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };

    // The word and the result of the last action.
    m_word->setObjectName(QStringLiteral("wordEdit"));
    m_word->setMaxLength(kEditorWordMax);
    auto* wordLabel = new QLabel(uiText(strings::kEditorWordLabel), this);
    wordLabel->setBuddy(m_word);
    m_result->setObjectName(QStringLiteral("resultLine"));
    m_result->setFrameShape(QFrame::StyledPanel);
    m_result->setFrameShadow(QFrame::Sunken);
    m_result->setMinimumWidth(fontMetrics().horizontalAdvance(uiText(strings::kRemoved)) + 16);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_added->setObjectName(QStringLiteral("addedMarker"));
    m_added->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')));

    QPushButton* add = button(strings::kEditorAdd, "addButton");
    QPushButton* search = button(strings::kEditorSearch, "searchButton");
    QPushButton* amend = button(strings::kEditorAmend, "amendButton");
    QPushButton* erase = button(strings::kEditorErase, "eraseButton");
    m_actionButtons = { { EditorAction::Add, add }, { EditorAction::Search, search },
        { EditorAction::Amend, amend }, { EditorAction::Erase, erase } };

    auto* wordRow = new QHBoxLayout;
    wordRow->addWidget(wordLabel);
    wordRow->addWidget(m_word, 1);
    wordRow->addWidget(m_added);
    auto* actions = new QGridLayout;
    actions->addWidget(add, 0, 0);
    actions->addWidget(search, 0, 1);
    actions->addWidget(amend, 1, 0);
    actions->addWidget(erase, 1, 1);

    // Category, user and the chosen user's status.
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_category->setMaxVisibleItems(16);
    for (int slot = 0; slot < kCategorySlots; ++slot)
        m_category->addItem(toQString(context.session.info.categoryName(slot)));
    m_user->setObjectName(QStringLiteral("userBox"));
    for (int user = 0; user < kUserSlots; ++user)
        m_user->addItem(toQString(context.session.info.userName(user)));
    auto* categoryLabel = new QLabel(uiText(strings::kEditorCategoryLabel), this);
    categoryLabel->setBuddy(m_category);
    auto* userLabel = new QLabel(uiText(strings::kEditorUserLabel), this);
    userLabel->setBuddy(m_user);
    m_status->setObjectName(QStringLiteral("statusLine"));
    auto* statusBox = new QGroupBox(uiText(strings::kEditorWordStatus), this);
    auto* statusGrid = new QGridLayout(statusBox);
    statusGrid->addWidget(categoryLabel, 0, 0);
    statusGrid->addWidget(m_category, 0, 1);
    statusGrid->addWidget(userLabel, 1, 0);
    statusGrid->addWidget(m_user, 1, 1);
    statusGrid->addWidget(m_status, 2, 1);
    statusGrid->setColumnStretch(1, 1);

    // The word's flags.
    auto group = [this](const char* title, QButtonGroup* buttons,
                     std::initializer_list<std::pair<QRadioButton*, int>> members) {
        auto* box = new QGroupBox(uiText(title), this);
        auto* layout = new QVBoxLayout(box);
        for (const auto& [b, id] : members) {
            buttons->addButton(b, id);
            layout->addWidget(b);
        }
        layout->addStretch(1);
        return box;
    };
    QGroupBox* languageBox = group(strings::kEditorLanguageGroup, m_language,
        { { radio(this, strings::kEditorUkOnly, "ukOnlyRadio"), 1 },
            { radio(this, strings::kEditorUsaOnly, "usaOnlyRadio"), 2 },
            { radio(this, strings::kEditorBoth, "bothRadio"), 3 } });
    QGroupBox* soundBox = group(strings::kEditorSoundGroup, m_soundFlag,
        { { radio(this, strings::kSoundOff, "soundOffRadio"), 0 },
            { radio(this, strings::kSoundOn, "soundOnRadio"), 1 } });
    QGroupBox* mediaBox = group(strings::kEditorMediaGroup, m_media,
        { { radio(this, strings::kMediaReadOnly, "readOnlyRadio"), 0 },
            { radio(this, strings::kMediaReadWrite, "readWriteRadio"), 1 } });
    auto* flags = new QHBoxLayout;
    flags->addWidget(languageBox, 1);
    flags->addWidget(soundBox);
    flags->addWidget(mediaBox);

    // The words of the category.
    m_list->setObjectName(QStringLiteral("wordList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMM")));
    auto* listLabel = new QLabel(uiText(strings::kEditorListLabel), this);
    listLabel->setBuddy(m_list);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(listLabel);
    listColumn->addWidget(m_list, 1);

    // The sound of the word.
    QPushButton* playLinked = button(strings::kEditorPlayLinked, "playLinkedButton");
    QPushButton* playSelected = button(strings::kEditorPlaySelected, "playSelectedButton");
    QPushButton* getButton = button(strings::kEditorGetWaveform, "getWaveformButton");
    QPushButton* link = button(strings::kEditorLink, "linkButton");
    QPushButton* unlink = button(strings::kEditorUnlink, "unlinkButton");
    QPushButton* deleteSound = button(strings::kEditorDeleteSound, "deleteSoundButton");
    m_recordButton->setObjectName(QStringLiteral("recordButton"));
    m_recordButton->setAutoDefault(false);
    m_recordButton->setText(uiText(strings::kEditorStartRecording));
    m_recordingMarker->setObjectName(QStringLiteral("recordingMarker"));
    m_recordingMarker->setText(QStringLiteral("\u25CF ") + uiText(strings::kEditorRecordingMarker));
    m_recordingMarker->setStyleSheet(QStringLiteral("color: #d0201c; font-weight: bold"));
    m_recordingMarker->setVisible(false);
    m_soundStatus->setObjectName(QStringLiteral("soundStatus"));
    m_soundStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_waveform->setObjectName(QStringLiteral("waveformEdit"));
    auto* waveformLabel = new QLabel(uiText(strings::kEditorWaveformLabel), this);
    waveformLabel->setBuddy(m_waveform);

    // The word's sound flag has the "Sound" group above; the actions need no second title.
    auto* soundActions = new QGroupBox(this);
    auto* soundGrid = new QGridLayout(soundActions);
    auto* soundStatusRow = new QHBoxLayout;
    soundStatusRow->addWidget(new QLabel(uiText(strings::kEditorSoundStatus), this));
    soundStatusRow->addWidget(m_soundStatus, 1);
    soundGrid->addLayout(soundStatusRow, 0, 0, 1, 3);
    soundGrid->addWidget(playLinked, 1, 0);
    soundGrid->addWidget(unlink, 1, 1);
    soundGrid->addWidget(deleteSound, 1, 2);
    soundGrid->addWidget(link, 2, 0, 1, 2);
    auto* recordRow = new QHBoxLayout;
    recordRow->addWidget(m_recordButton, 1);
    recordRow->addWidget(m_recordingMarker);
    soundGrid->addLayout(recordRow, 2, 2);
    auto* waveformRow = new QHBoxLayout;
    waveformRow->addWidget(waveformLabel);
    waveformRow->addWidget(m_waveform, 1);
    soundGrid->addLayout(waveformRow, 3, 0, 1, 3);
    soundGrid->addWidget(playSelected, 4, 0);
    soundGrid->addWidget(getButton, 4, 1);

    QPushButton* doneButton = button(strings::kEditorDone, "doneButton");
    QPushButton* helpButton = button(strings::kEditorHelp, "helpButton");
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(doneButton);
    closing->addWidget(helpButton);

    auto* wordColumn = new QVBoxLayout;
    wordColumn->addLayout(wordRow);
    wordColumn->addWidget(m_result);
    wordColumn->addLayout(actions);
    wordColumn->addWidget(statusBox);
    wordColumn->addLayout(flags);
    auto* top = new QHBoxLayout;
    top->addLayout(wordColumn, 1);
    top->addLayout(listColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(soundActions);
    layout->addLayout(closing);

    QWidget* order[] = { m_word, add, search, amend, erase, m_category, m_user, languageBox,
        soundBox, mediaBox, m_list, playLinked, unlink, deleteSound, link, m_recordButton,
        m_waveform, playSelected, getButton, doneButton, helpButton };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Word actions.
    connect(add, &QPushButton::clicked, this,
        [this, add] { run(add, [this] { return m_model.add(typedWord()); }); });
    connect(search, &QPushButton::clicked, this,
        [this, search] { run(search, [this] { return m_model.search(typedWord()); }); });
    connect(amend, &QPushButton::clicked, this,
        [this, amend] { run(amend, [this] { return m_model.amend(typedWord()); }); });
    connect(erase, &QPushButton::clicked, this,
        [this, erase] { run(erase, [this] { return m_model.erase(typedWord()); }); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QListWidgetItem* item = m_list->currentItem();
        if (!item || !item->isSelected() || m_recording)
            return;
        const std::string word = item->text().toStdString();
        run(nullptr, [this, word] { return m_model.selectListWord(word); });
    });
    connect(m_user, &QComboBox::currentIndexChanged, this, [this](int user) {
        m_model.chooseUser(user);
        showModel();
    });
    connect(m_category, &QComboBox::activated, this, [this](int category) {
        m_model.chooseCategory(category);
        showModel();
    });
    connect(m_language, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setLanguage(id);
        showModel();
    });
    connect(m_soundFlag, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setSoundFlag(id);
        showModel();
    });
    connect(m_media, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setMediaFlag(id);
        showModel();
    });
    connect(m_waveform, &QLineEdit::textEdited, this,
        [this](const QString& text) { m_model.setWaveformField(text.toStdString()); });

    // Sound actions.
    connect(playLinked, &QPushButton::clicked, this,
        [this, playLinked] { run(playLinked, [this] { return m_model.playLinked(); }); });
    connect(playSelected, &QPushButton::clicked, this,
        [this, playSelected] { run(playSelected, [this] { return m_model.playSelected(); }); });
    connect(getButton, &QPushButton::clicked, this, [this] {
        if (!m_recording)
            getWaveform();
    });
    connect(link, &QPushButton::clicked, this,
        [this, link] { run(link, [this] { return m_model.link(typedWord()); }); });
    connect(unlink, &QPushButton::clicked, this,
        [this, unlink] { run(unlink, [this] { return m_model.unlink(typedWord()); }); });
    connect(deleteSound, &QPushButton::clicked, this, [this, deleteSound] {
        run(deleteSound, [this] { return m_model.deleteSound(typedWord()); });
    });
    connect(m_recordButton, &QPushButton::clicked, this, &DictionaryEditorDialog::toggleRecording);
    m_recordTimer->setInterval(kRecordPollMs);
    connect(m_recordTimer, &QTimer::timeout, this, &DictionaryEditorDialog::pollRecording);

    connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton, &QPushButton::clicked, this,
        [this] { m_context.help.showContext(kHelpContext); });

    const bool soundCard = m_sound && !m_sound->outputDevices().empty();
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const EditorEffects opening = m_model.open(soundCard);
    QApplication::restoreOverrideCursor();
    m_opened = !opening.close;
    showModel();
    m_word->setFocus();
}

DictionaryEditorDialog::~DictionaryEditorDialog()
{
    if (m_recording && m_recorder)
        m_recorder->cancel();
}

std::string DictionaryEditorDialog::typedWord() const
{
    return m_word->text().toStdString();
}

void DictionaryEditorDialog::run(QPushButton* button, const std::function<EditorEffects()>& action)
{
    if (m_recording || m_closing)
        return; // a recording takes nothing but its own stop
    if (button)
        button->setDown(true);
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const EditorEffects effects = action();
    QApplication::restoreOverrideCursor();
    if (button)
        button->setDown(false);
    showModel();
    apply(effects);
}

void DictionaryEditorDialog::apply(const EditorEffects& effects)
{
    if (effects.close) {
        m_closing = true;
        // Closed once the action's own signal has returned.
        QTimer::singleShot(0, this, [this] { reject(); });
        return;
    }
    if (effects.beep)
        QApplication::beep();
    if (effects.play)
        play(*effects.play);
}

void DictionaryEditorDialog::play(const std::string& path)
{
    if (!m_sound)
        return;
    std::string error;
    switch (m_sound->play(path, error)) {
    case PlayStart::Started:
        break;
    case PlayStart::NotFound:
        m_context.prompter.show(std::string(strings::kWaveformNotFound) + "\r\n" + path,
            strings::kInformation, MessageIcon::Information);
        break;
    case PlayStart::Failed:
        m_context.prompter.show(
            error.substr(0, kErrorTextMax), strings::kInformation, MessageIcon::Information);
        break;
    }
}

void DictionaryEditorDialog::showModel()
{
    const EditorView& v = m_model.view();
    if (!v.word.empty() && toQString(v.word) != m_word->text())
        m_word->setText(toQString(v.word));
    m_result->setText(toQString(v.result));
    {
        const QSignalBlocker block(m_category);
        m_category->setCurrentIndex(v.category);
    }
    {
        const QSignalBlocker block(m_user);
        m_user->setCurrentIndex(v.user);
    }
    m_status->setText(toQString(v.statusLine));
    checkButton(m_language, v.language);
    checkButton(m_soundFlag, v.soundFlag);
    checkButton(m_media, v.mediaFlag);
    m_added->setText(v.addedMarker ? QStringLiteral(".") : QStringLiteral(" "));
    m_soundStatus->setText(toQString(v.soundStatus));
    if (toQString(v.waveformField) != m_waveform->text())
        m_waveform->setText(toQString(v.waveformField));

    QStringList words;
    for (const std::string& w : v.list)
        words << toQString(w);
    QStringList shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown << m_list->item(i)->text();
    if (words != shown) {
        const QSignalBlocker block(m_list);
        m_list->setUpdatesEnabled(false);
        m_list->clear();
        m_list->addItems(words);
        m_list->setUpdatesEnabled(true);
    }

    // The default action's button is marked in bold, so a person sees what Enter does.
    for (const auto& [action, b] : m_actionButtons) {
        QFont f = b->font();
        f.setBold(action == v.defaultAction);
        b->setFont(f);
        b->setProperty("defaultAction", action == v.defaultAction);
    }
}

void DictionaryEditorDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_recording) {
            stopRecording();
        } else {
            const EditorAction action = m_model.view().defaultAction;
            QPushButton* b = m_actionButtons[action];
            run(b, [this] { return m_model.repeatDefault(typedWord()); });
            m_word->setFocus();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DictionaryEditorDialog::done(int result)
{
    if (m_recording) {
        m_recordTimer->stop();
        if (m_recorder)
            m_recorder->cancel();
        m_recording = false;
    }
    if (m_sound)
        m_sound->stop();
    QDialog::done(result);
}

void DictionaryEditorDialog::getWaveform()
{
    const std::string folder = m_model.newWaveFolder();
    QDir().mkpath(toQString(folder));
    const auto chosen = m_context.asker.askOpenFile(
        strings::kEditorGetWaveformCaption, strings::kEditorWaveFilter, folder);
    if (!chosen)
        return;
    m_model.acceptWaveform(*chosen);
    showModel();
}

void DictionaryEditorDialog::toggleRecording()
{
    if (m_recording)
        stopRecording();
    else if (!m_closing)
        startRecording();
}

void DictionaryEditorDialog::startRecording()
{
    if (!m_recorder || m_recorder->inputDevices().empty()) {
        m_context.prompter.show(
            strings::kNoInputDevice, strings::kWarningPlain, MessageIcon::Exclamation);
        return;
    }
    RecordingFormat format;
    if (m_settings)
        format = recordingFormat(recordingDataInEffect(*m_settings));
    if (m_sound)
        m_sound->stop();
    std::string error;
    switch (m_recorder->start(format, error)) {
    case RecordStart::Started:
        break;
    case RecordStart::NoInputDevice:
        m_context.prompter.show(
            strings::kNoInputDevice, strings::kWarningPlain, MessageIcon::Exclamation);
        return;
    case RecordStart::Failed:
        recordingFailed(error);
        return;
    }
    m_recording = true;
    m_recordButton->setText(uiText(strings::kEditorStopRecording));
    m_recordingMarker->setVisible(true);
    m_recordTimer->start();
}

void DictionaryEditorDialog::pollRecording()
{
    // The input can end by itself (the longest recording, a device gone): what it took is kept.
    if (m_recording && m_recorder && !m_recorder->isRecording())
        stopRecording();
}

void DictionaryEditorDialog::stopRecording()
{
    m_recordTimer->stop();
    m_recording = false;
    m_recordButton->setText(uiText(strings::kEditorStartRecording));
    m_recordingMarker->setVisible(false);
    if (!m_recorder)
        return;
    const QString folder = toQString(m_model.newWaveFolder());
    const std::string path = (folder + QStringLiteral("/recorded.wav")).toStdString();
    std::string error;
    if (!QDir().mkpath(folder))
        error = std::string(strings::kNoWaveformFolder) + "\r\n" + folder.toStdString();
    if (!error.empty() || !m_recorder->stopAndSave(path, error)) {
        m_recorder->cancel();
        recordingFailed(error);
        return;
    }
    m_model.setWaveformField(path);
    showModel();
}

void DictionaryEditorDialog::recordingFailed(const std::string& reason)
{
    // The reason (the device, the format, the folder that refused the file) on its own line.
    std::string text = strings::kUnableToRecord;
    if (!reason.empty())
        text += "\r\n" + reason.substr(0, kErrorTextMax);
    m_context.prompter.show(text, strings::kWarningPlain, MessageIcon::Exclamation);
}

bool runDictionaryEditor(UiContext& context, QWidget* parent, SoundDevice* sound,
    SoundRecorder* recorder, SettingsFile* settings)
{
    DictionaryEditorDialog dialog(context, sound, recorder, settings, parent);
    if (dialog.opened())
        dialog.exec();
    return dialog.changed();
}

} // namespace quorvel::ui
