#include "drill/list_setup_sheet.h"

#include "app/session.h"
#include "common/character_validator.h"
#include "common/ui_text.h"
#include "config/settings_groups.h"
#include "drill/number_box.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "review/review_list.h"
#include "strings/review_strings.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

namespace quorvel::ui {

namespace {

std::string toStd(const QString& s)
{
    return s.toLatin1().toStdString();
}

// Letters typed in either case go in as capitals; anything outside the set is refused.
class CapitalsValidator final : public QValidator
{
public:
    CapitalsValidator(CharacterSet set, QObject* parent)
        : QValidator(parent)
        , m_set(set)
    { }
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        for (const QChar ch : input) {
            if (ch.unicode() > 0x7F || !isAllowedCharacter(m_set, static_cast<char>(ch.unicode())))
                return Invalid;
        }
        return Acceptable;
    }

private:
    CharacterSet m_set;
};

QLineEdit* capitalsEdit(
    QWidget* parent, const char* name, const std::string& value, CharacterSet set, int maxLength)
{
    auto* edit = new QLineEdit(toQString(value), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    edit->setValidator(new CapitalsValidator(set, edit));
    return edit;
}

std::uint16_t flag(const QAbstractButton* button)
{
    return button->isChecked() ? 1 : 0;
}

// A radio button made without a parent: radio buttons that share a parent widget are exclusive
// among all of them, so each is checked alone and only then placed in its group box.
QRadioButton* radio(const QString& label, const char* name, std::uint16_t on)
{
    auto* button = new QRadioButton(label);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(withoutMnemonic(label).trimmed());
    button->setChecked(on == 1);
    return button;
}

// A group box of radio buttons stacked in order, exclusive among themselves.
QGroupBox* radioGroup(
    QWidget* parent, const char* title, std::initializer_list<QRadioButton*> buttons)
{
    auto* box = new QGroupBox(uiText(title), parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (QRadioButton* b : buttons) {
        group->addButton(b);
        layout->addWidget(b);
    }
    return box;
}

NumberBox* numberBox(
    QWidget* parent, const SpinRange& range, const char* name, const std::string& value)
{
    auto* box = new NumberBox(range, parent);
    box->setObjectName(QLatin1String(name));
    box->setBoxText(toQString(value));
    return box;
}

QLabel* buddyLabel(QWidget* parent, const QString& label, QWidget* buddy)
{
    auto* l = new QLabel(label, parent);
    l->setBuddy(buddy);
    buddy->setAccessibleName(withoutMnemonic(label).trimmed());
    return l;
}

} // namespace

ListSetupSheet::ListSetupSheet(UiContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_user(context.session.currentUser())
    , m_stored(DrillSettingsRecords::read(context.session.info, context.session.currentUser()))
    , m_reviewStored(reviewListChosen(context.session.programFolder, m_user))
{
    setObjectName(QStringLiteral("listSetupSheet"));
    setWindowTitle(uiText(strings::kListSetupCaption));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("listSetupPages"));
    m_tabs->addTab(buildListPage(), uiText(strings::kPageListSetup));
    m_tabs->addTab(buildDisplayPage(), uiText(strings::kPageDisplay));
    m_tabs->addTab(buildOptionsPage(), uiText(strings::kPageListOptions));
    m_tabs->addTab(buildLearnPage(), uiText(strings::kPageLearn));

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->setObjectName(QStringLiteral("sheetButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &ListSetupSheet::showHelp);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &ListSetupSheet::showHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    connect(m_tabs, &QTabWidget::currentChanged, this, &ListSetupSheet::pageShown);
    pageShown(0);
}

QWidget* ListSetupSheet::buildListPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("listSetupPage"));
    const ListSetupRecord& r = m_stored.list;

    m_minLetters = numberBox(page, spin::kMinLetters, "minLettersBox", r.minLetters);
    m_maxLetters = numberBox(page, spin::kMaxLetters, "maxLettersBox", r.maxLetters);
    m_listSize = numberBox(page, spin::kListSize, "listSizeBox", r.listSize);
    m_oneLetter = capitalsEdit(page, "oneLetterBox", r.oneLetter, CharacterSet::UpperLetters, 1);
    m_predefined = capitalsEdit(
        page, "predefinedBox", r.predefined, CharacterSet::Pattern, kPredefinedLength);

    // Each letters box is held below or above the other while it is edited, and its button
    // refuses to step past the other's number.
    connect(m_minLetters, &NumberBox::edited, this, [this](const QString& typed) {
        const std::string after = minimumAfterEdit(toStd(typed), toStd(m_maxLetters->boxText()));
        if (after != toStd(typed))
            m_minLetters->setBoxText(toQString(after));
    });
    connect(m_maxLetters, &NumberBox::edited, this, [this](const QString& typed) {
        const std::string after = maximumAfterEdit(toStd(m_minLetters->boxText()), toStd(typed));
        if (after != toStd(typed))
            m_maxLetters->setBoxText(toQString(after));
    });
    m_minLetters->setStepFilter([this](int current, int target) {
        return minimumStepAllowed(current, target, toStd(m_maxLetters->boxText()));
    });
    m_maxLetters->setStepFilter([this](int current, int target) {
        return maximumStepAllowed(current, target, toStd(m_minLetters->boxText()));
    });

    auto* form = new QGridLayout;
    form->addWidget(buddyLabel(page, uiText(strings::kMinimumLetters), m_minLetters), 0, 0);
    form->addWidget(m_minLetters, 0, 1);
    form->addWidget(buddyLabel(page, uiText(strings::kMaximumLetters), m_maxLetters), 1, 0);
    form->addWidget(m_maxLetters, 1, 1);
    form->addWidget(buddyLabel(page, uiText(strings::kListSizeLabel), m_listSize), 2, 0);
    form->addWidget(m_listSize, 2, 1);
    form->addWidget(buddyLabel(page, uiText(strings::kOneLetterBox), m_oneLetter), 3, 0);
    form->addWidget(m_oneLetter, 3, 1);
    form->addWidget(buddyLabel(page, uiText(strings::kPredefinedBox), m_predefined), 4, 0);
    form->addWidget(m_predefined, 4, 1);
    form->setRowStretch(5, 1);

    m_typeFailures = radio(uiText(strings::kTypeFailures), "typeFailures", r.typeFailures);
    m_typePredefined = radio(uiText(strings::kTypePredefined), "typePredefined", r.typePredefined);
    m_typeOneLetter = radio(uiText(strings::kTypeOneLetter), "typeOneLetter", r.typeOneLetter);
    m_typeRandom = radio(uiText(strings::kTypeRandom), "typeRandom", r.typeRandom);
    m_typeReview = radio(uiText(strings::kTypeReview), "typeReview", m_reviewStored ? 1 : 0);
    QGroupBox* types = radioGroup(page, strings::kListTypeGroup,
        { m_typeFailures, m_typePredefined, m_typeOneLetter, m_typeRandom, m_typeReview });

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(form);
    layout->addSpacing(16);
    auto* right = new QVBoxLayout;
    right->addWidget(types);
    right->addStretch(1);
    layout->addLayout(right);
    m_firstFocus[0] = m_minLetters;
    return page;
}

QWidget* ListSetupSheet::buildDisplayPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("displayPage"));
    const DisplaySetupRecord& r = m_stored.display;

    m_wordShowTime = numberBox(page, spin::kWordShowTime, "wordShowTimeBox", r.wordShowTime);
    m_answerDelay = numberBox(page, spin::kAnswerDelay, "answerDelayBox", r.answerDelay);
    m_spellTime = numberBox(page, spin::kSpellTime, "spellTimeBox", r.spellTime);
    m_betweenWords = numberBox(page, spin::kBetweenWords, "betweenWordsBox", r.betweenWords);

    auto* timing = new QGroupBox(uiText(strings::kTimingSetup), page);
    auto* grid = new QGridLayout(timing);
    grid->addWidget(new QLabel(uiText(strings::kSecondsApprox), timing), 0, 1);
    grid->addWidget(buddyLabel(timing, uiText(strings::kWordShowTimeLabel), m_wordShowTime), 1, 0);
    grid->addWidget(m_wordShowTime, 1, 1);
    grid->addWidget(buddyLabel(timing, uiText(strings::kAnswerDelayLabel), m_answerDelay), 2, 0);
    grid->addWidget(m_answerDelay, 2, 1);
    grid->addWidget(buddyLabel(timing, uiText(strings::kSpellTimeLabel), m_spellTime), 3, 0);
    grid->addWidget(m_spellTime, 3, 1);
    grid->addWidget(buddyLabel(timing, uiText(strings::kBetweenWordsLabel), m_betweenWords), 4, 0);
    grid->addWidget(m_betweenWords, 4, 1);
    grid->setColumnStretch(0, 1);
    for (NumberBox* box : { m_wordShowTime, m_answerDelay, m_spellTime, m_betweenWords })
        box->setParent(timing);

    m_upperCase = radio(uiText(strings::kUpperCase), "upperCase", r.upperCase);
    m_lowerCase = radio(uiText(strings::kLowerCase), "lowerCase", r.lowerCase);
    QGroupBox* wordIn = radioGroup(page, strings::kDisplayWordIn, { m_upperCase, m_lowerCase });

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(timing);
    layout->addWidget(wordIn);
    layout->addStretch(1);
    m_firstFocus[1] = m_wordShowTime;
    return page;
}

QWidget* ListSetupSheet::buildOptionsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("listOptionsPage"));
    const ListOptionsRecord& r = m_stored.options;

    m_adjustPractice = radio(uiText(strings::kAdjustPractice), "adjustPractice", r.adjustPractice);
    m_adjustManual = radio(uiText(strings::kAdjustManual), "adjustManual", r.adjustManual);
    m_adjustAuto = radio(uiText(strings::kAdjustAuto), "adjustAuto", r.adjustAuto);
    m_repeatAll = radio(uiText(strings::kRepeatAll), "repeatAll", r.repeatAll);
    m_repeatFailures = radio(uiText(strings::kRepeatFailures), "repeatFailures", r.repeatFailures);
    m_levelElementary
        = radio(uiText(strings::kLevelElementary), "levelElementary", r.levelElementary);
    m_levelIntermediate
        = radio(uiText(strings::kLevelIntermediate), "levelIntermediate", r.levelIntermediate);
    m_levelAdvanced = radio(uiText(strings::kLevelAdvanced), "levelAdvanced", r.levelAdvanced);
    m_languageUK = radio(uiText(strings::kLanguageUK), "languageUK", r.languageUK);
    m_languageUS = radio(uiText(strings::kLanguageUS), "languageUS", r.languageUS);
    m_showLanguageFlag = new QCheckBox(uiText(strings::kShowLanguageFlag), page);
    m_showLanguageFlag->setObjectName(QStringLiteral("showLanguageFlag"));
    m_showLanguageFlag->setAccessibleName(withoutMnemonic(uiText(strings::kShowLanguageFlag)));
    m_showLanguageFlag->setChecked(r.showLanguageFlag == 1);
    m_hearOnlyStored
        = readHearOnly(SettingsFile(paths::settingsFile(m_context.session.programFolder)), m_user);
    m_hearOnly = new QCheckBox(uiText(strings::kHearOnly), page);
    m_hearOnly->setObjectName(QStringLiteral("hearOnly"));
    m_hearOnly->setAccessibleName(withoutMnemonic(uiText(strings::kHearOnly)));
    m_hearOnly->setAccessibleDescription(uiText(strings::kHearOnlyHint));
    m_hearOnly->setToolTip(uiText(strings::kHearOnlyHint));
    m_hearOnly->setChecked(m_hearOnlyStored);

    auto* grid = new QGridLayout(page);
    grid->addWidget(radioGroup(page, strings::kLevelAdjustment,
                        { m_adjustPractice, m_adjustManual, m_adjustAuto }),
        0, 0);
    grid->addWidget(
        radioGroup(page, strings::kRepeatControl, { m_repeatAll, m_repeatFailures }), 0, 1);
    grid->addWidget(radioGroup(page, strings::kUserLevel,
                        { m_levelElementary, m_levelIntermediate, m_levelAdvanced }),
        1, 0);
    grid->addWidget(
        radioGroup(page, strings::kLanguageGroup, { m_languageUK, m_languageUS }), 1, 1);
    grid->addWidget(m_showLanguageFlag, 2, 0, 1, 2);
    grid->addWidget(m_hearOnly, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    m_firstFocus[2] = m_adjustPractice;
    return page;
}

void ListSetupSheet::addLearnValue(QGridLayout* grid, int row, LearnValue& value,
    const QString& label, const char* name, const std::string& boxText, const SliderTriple& triple,
    const char* scale)
{
    QWidget* parent = grid->parentWidget();
    value.stored = triple;
    value.box = new QLineEdit(toQString(boxText), parent);
    value.box->setObjectName(QLatin1String(name) + QStringLiteral("Box"));
    restrictLineEdit(value.box, CharacterSet::Digits, kNumberBoxLength);
    value.box->setMaximumWidth(
        value.box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    value.bar = new QSlider(Qt::Horizontal, parent);
    value.bar->setObjectName(QLatin1String(name) + QStringLiteral("Bar"));
    value.bar->setAccessibleName(withoutMnemonic(label).trimmed());
    value.bar->setFocusPolicy(Qt::StrongFocus);
    value.bar->setRange(static_cast<int>(triple.minimum), static_cast<int>(triple.maximum));
    value.bar->setValue(static_cast<int>(triple.position));
    value.bar->setPageStep(std::max(1, static_cast<int>(triple.maximum - triple.minimum) / 10));
    value.bar->setMinimumWidth(180);

    QLineEdit* box = value.box;
    QSlider* bar = value.bar;
    const SliderTriple stored = triple;
    // A typed number moves the bar when it lies in the bar's range, else the bar goes back to
    // where it was stored; the box keeps what was typed until the page is applied.
    connect(box, &QLineEdit::textEdited, bar, [bar, stored](const QString& typed) {
        const QSignalBlocker quiet(bar);
        bar->setValue(static_cast<int>(barPositionForText(toStd(typed), stored)));
    });
    // Only a move by the person reaches here: the bar is quiet while the box moves it.
    connect(bar, &QSlider::valueChanged, box,
        [box](int position) { box->setText(QString::number(position)); });

    grid->addWidget(buddyLabel(parent, label, box), row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(bar, row, 2);
    if (scale)
        grid->addWidget(new QLabel(uiText(scale), parent), row + 1, 2);
}

QWidget* ListSetupSheet::buildLearnPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("learnPage"));
    const LearnSetupRecord& r = m_stored.learn;

    m_learnFlash = radio(uiText(strings::kLearnFlashLabel), "learnFlash", r.learnFlash);
    m_learnRipple = radio(uiText(strings::kLearnRippleLabel), "learnRipple", r.learnRipple);
    m_learnContinuous
        = radio(uiText(strings::kLearnContinuousLabel), "learnContinuous", r.learnContinuous);
    QGroupBox* mode = radioGroup(
        page, strings::kLearnModeGroup, { m_learnFlash, m_learnRipple, m_learnContinuous });

    auto* continuous = new QGroupBox(uiText(strings::kLearnContinuous), page);
    auto* continuousLayout = new QHBoxLayout(continuous);
    m_continuousTime
        = numberBox(continuous, spin::kContinuousTime, "continuousTimeBox", r.continuousTime);
    continuousLayout->addWidget(
        buddyLabel(continuous, uiText(strings::kTimeInSeconds), m_continuousTime));
    continuousLayout->addWidget(m_continuousTime);
    continuousLayout->addStretch(1);

    auto* values = new QWidget(page);
    auto* grid = new QGridLayout(values);
    grid->setContentsMargins(0, 0, 0, 0);
    addLearnValue(grid, 0, m_flashDuration, uiText(strings::kFlashDuration), "flashDuration",
        r.flashDurationText, r.flashDuration, strings::kFlashScale);
    addLearnValue(grid, 2, m_flashCount, uiText(strings::kFlashCount), "flashCount",
        r.flashCountText, r.flashCount);
    addLearnValue(grid, 3, m_rippleDuration, uiText(strings::kRippleDuration), "rippleDuration",
        r.rippleDurationText, r.rippleDuration, strings::kRippleScale);
    addLearnValue(grid, 5, m_rippleCount, uiText(strings::kRippleCount), "rippleCount",
        r.rippleCountText, r.rippleCount);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(uiText(strings::kLearnHeading), page));
    auto* top = new QHBoxLayout;
    top->addWidget(mode);
    top->addWidget(continuous, 0, Qt::AlignTop);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(values);
    layout->addStretch(1);
    m_firstFocus[3] = m_learnFlash;
    return page;
}

DrillSettingsRecords ListSetupSheet::edited() const
{
    DrillSettingsRecords r = m_stored;
    r.list.minLetters = toStd(m_minLetters->boxText());
    r.list.maxLetters = toStd(m_maxLetters->boxText());
    r.list.listSize = toStd(m_listSize->boxText());
    r.list.oneLetter = toStd(m_oneLetter->text());
    r.list.predefined = toStd(m_predefined->text());
    if (!reviewChosen()) {
        r.list.typeFailures = flag(m_typeFailures);
        r.list.typePredefined = flag(m_typePredefined);
        r.list.typeOneLetter = flag(m_typeOneLetter);
        r.list.typeRandom = flag(m_typeRandom);
    }

    r.display.wordShowTime = toStd(m_wordShowTime->boxText());
    r.display.answerDelay = toStd(m_answerDelay->boxText());
    r.display.spellTime = toStd(m_spellTime->boxText());
    r.display.betweenWords = toStd(m_betweenWords->boxText());
    r.display.upperCase = flag(m_upperCase);
    r.display.lowerCase = flag(m_lowerCase);

    r.options.adjustPractice = flag(m_adjustPractice);
    r.options.adjustManual = flag(m_adjustManual);
    r.options.adjustAuto = flag(m_adjustAuto);
    r.options.repeatAll = flag(m_repeatAll);
    r.options.repeatFailures = flag(m_repeatFailures);
    r.options.levelElementary = flag(m_levelElementary);
    r.options.levelIntermediate = flag(m_levelIntermediate);
    r.options.levelAdvanced = flag(m_levelAdvanced);
    r.options.languageUK = flag(m_languageUK);
    r.options.languageUS = flag(m_languageUS);
    r.options.showLanguageFlag = flag(m_showLanguageFlag);

    r.learn.learnFlash = flag(m_learnFlash);
    r.learn.learnRipple = flag(m_learnRipple);
    r.learn.learnContinuous = flag(m_learnContinuous);
    r.learn.continuousTime = toStd(m_continuousTime->boxText());
    auto take = [](const LearnValue& v, std::string& boxText, SliderTriple& triple) {
        boxText = toStd(v.box->text());
        triple = v.stored;
        triple.position = static_cast<std::uint32_t>(v.bar->value());
    };
    take(m_flashDuration, r.learn.flashDurationText, r.learn.flashDuration);
    take(m_flashCount, r.learn.flashCountText, r.learn.flashCount);
    take(m_rippleDuration, r.learn.rippleDurationText, r.learn.rippleDuration);
    take(m_rippleCount, r.learn.rippleCountText, r.learn.rippleCount);
    return r;
}

bool ListSetupSheet::reviewChosen() const
{
    return m_typeReview->isChecked();
}

void ListSetupSheet::accept()
{
    const DrillSettingsRecords applied = applyListSetupSheet(edited(), m_stored);
    // The boxes show what is stored, as the pages do once applied.
    m_flashDuration.box->setText(toQString(applied.learn.flashDurationText));
    m_flashCount.box->setText(toQString(applied.learn.flashCountText));
    m_rippleDuration.box->setText(toQString(applied.learn.rippleDurationText));
    m_rippleCount.box->setText(toQString(applied.learn.rippleCountText));
    m_minLetters->setBoxText(toQString(applied.list.minLetters));
    m_maxLetters->setBoxText(toQString(applied.list.maxLetters));

    applied.write(m_context.session.info, m_user);
    // A failed save is reported; the new values stay in memory for the next save.
    m_context.session.saveStartupInfo(m_context.prompter);
    if (m_hearOnly->isChecked() != m_hearOnlyStored) {
        SettingsFile settings(paths::settingsFile(m_context.session.programFolder));
        if (writeHearOnly(settings, m_user, m_hearOnly->isChecked()))
            m_hearOnlyStored = m_hearOnly->isChecked();
        else
            m_context.prompter.show(
                strings::kSpeechSettingsNotSaved, strings::kWarning, MessageIcon::Exclamation);
    }
    if (reviewChosen() != m_reviewStored) {
        SettingsFile settings(paths::settingsFile(m_context.session.programFolder));
        if (m_context.session.programFolder.empty()
            || !setReviewListChosen(settings, m_user, reviewChosen()))
            m_context.prompter.show(strings::kReviewChoiceNotSaved, strings::kWarning,
                MessageIcon::Exclamation, MessageButtons::Ok);
    }
    QDialog::accept();
}

bool ListSetupSheet::hearOnlyChecked() const
{
    return m_hearOnly->isChecked();
}

void ListSetupSheet::showHelp()
{
    m_context.help.showContext(kPageHelp[static_cast<std::size_t>(m_tabs->currentIndex())]);
}

void ListSetupSheet::pageShown(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pageSeen.size()))
        return;
    const auto i = static_cast<std::size_t>(index);
    // Each page gives its first box the focus the first time it is shown; after that the
    // focus stays where the person put it.
    if (m_pageSeen[i])
        return;
    m_pageSeen[i] = true;
    if (m_firstFocus[i])
        m_firstFocus[i]->setFocus();
}

bool runListSetupSheet(QWidget* parent, UiContext& context)
{
    ListSetupSheet sheet(context, parent);
    return sheet.exec() == QDialog::Accepted;
}

} // namespace quorvel::ui
