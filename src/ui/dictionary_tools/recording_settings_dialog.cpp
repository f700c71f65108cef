#include "dictionary_tools/recording_settings_dialog.h"

#include "common/ui_services.h"
#include "common/ui_text.h"
#include "platform/services.h"
#include "sound/recording_settings.h"
#include "strings/recording_strings.h"
#include "strings/strings.h"
#include "strings/users_strings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

constexpr std::array<int, 3> kRates { 11025, 22050, 44100 };
constexpr std::array<int, 2> kChannelCounts { 1, 2 };
constexpr std::array<int, 2> kSizes { 8, 16 };

// The button of `value` among `values`, or the first one when it is none of them.
template <std::size_t N>
QRadioButton* buttonFor(
    const std::array<QRadioButton*, N>& buttons, const std::array<int, N>& values, int value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == value)
            return buttons[i];
    return buttons[0];
}

template <std::size_t N>
int checkedValue(
    const std::array<QRadioButton*, N>& buttons, const std::array<int, N>& values, int fallback)
{
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return values[i];
    return fallback;
}

} // namespace

RecordingSettingsDialog::RecordingSettingsDialog(
    UiContext& context, const RecordingData& opening, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("SetRecordDialog"));
    setWindowTitle(uiText(strings::kRecordingSettingsTitle));

    // One group box of radio buttons per setting, each an exclusive group of its own: Tab stops
    // at a group's checked button and the arrow keys move within the group.
    auto makeGroup = [this](const char* title, const char* name,
                         std::initializer_list<std::pair<const char*, const char*>> choices,
                         QRadioButton** out) {
        auto* box = new QGroupBox(uiText(title), this);
        box->setObjectName(QString::fromLatin1(name));
        auto* group = new QButtonGroup(box);
        auto* layout = new QVBoxLayout(box);
        for (const auto& [text, objectName] : choices) {
            auto* button = new QRadioButton(uiText(text), box);
            button->setObjectName(QString::fromLatin1(objectName));
            group->addButton(button);
            layout->addWidget(button);
            *out++ = button;
        }
        layout->addStretch(1);
        return box;
    };
    QGroupBox* rates = makeGroup(strings::kSamplingRateGroup, "rateGroup",
        { { strings::kRate11025, "rate11025" }, { strings::kRate22050, "rate22050" },
            { strings::kRate44100, "rate44100" } },
        m_rates.data());
    QGroupBox* channels = makeGroup(strings::kChannelsGroup, "channelsGroup",
        { { strings::kMono, "monoRadio" }, { strings::kStereo, "stereoRadio" } },
        m_channels.data());
    QGroupBox* sizes = makeGroup(strings::kSamplingSizeGroup, "sizeGroup",
        { { strings::kEightBits, "bits8Radio" }, { strings::kSixteenBits, "bits16Radio" } },
        m_sizes.data());

    buttonFor(m_rates, kRates, opening.sampleRate)->setChecked(true);
    buttonFor(m_channels, kChannelCounts, opening.channels)->setChecked(true);
    buttonFor(m_sizes, kSizes, opening.sampleSize)->setChecked(true);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    QPushButton* help = buttons->button(QDialogButtonBox::Help);
    help->setObjectName(QStringLiteral("helpButton"));
    help->setText(uiText(strings::kButtonHelp));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto showHelp = [this] { m_context.help.showContext(kHelpContext); };
    connect(buttons, &QDialogButtonBox::helpRequested, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);

    auto* groups = new QHBoxLayout;
    groups->addWidget(rates);
    groups->addWidget(channels);
    groups->addWidget(sizes);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buttonFor(m_rates, kRates, opening.sampleRate)->setFocus();
}

RecordingData RecordingSettingsDialog::values() const
{
    const RecordingData defaults;
    RecordingData v;
    v.sampleRate = checkedValue(m_rates, kRates, defaults.sampleRate);
    v.channels = checkedValue(m_channels, kChannelCounts, defaults.channels);
    v.sampleSize = checkedValue(m_sizes, kSizes, defaults.sampleSize);
    return v;
}

bool runRecordingSettings(UiContext& context, SettingsFile& settings, QWidget* parent)
{
    RecordingSettingsDialog dialog(context, recordingDataInEffect(settings), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!applyRecordingData(settings, dialog.values()))
        context.prompter.show(
            strings::kRecordingSettingsNotSaved, strings::kWarning, MessageIcon::Exclamation);
    return true;
}

} // namespace quorvel::ui
