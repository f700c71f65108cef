#pragma once

#include "common/ui_services.h"
#include "drill/list_setup_rules.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QGridLayout;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace quorvel::ui {

class NumberBox;

// The "List Setup" sheet: the current user's list, display, option and learn settings on four
// pages. It edits copies of the four records; OK checks each page, applies the level rule,
// stores the records and saves the startup record. Cancel changes nothing.
class ListSetupSheet final : public QDialog
{
    Q_OBJECT
public:
    ListSetupSheet(UiContext& context, QWidget* parent = nullptr);

    // The values the pages show now, before any check. While "Review due" is chosen the record
    // keeps the list type it had, which is in force again once another type is chosen.
    DrillSettingsRecords edited() const;
    // "Review due" is chosen on the first page.
    bool reviewChosen() const;
    // The help context of each page, in page order.
    static constexpr std::array<int, 4> kPageHelp { 5772, 5771, 5773, 5774 };

    void accept() override;
    // The "Hear only" box (on the List Options page).
    bool hearOnlyChecked() const;

private:
    // A flash or ripple value: its box, its bar and the triple it was stored with.
    struct LearnValue
    {
        QLineEdit* box = nullptr;
        QSlider* bar = nullptr;
        SliderTriple stored;
    };

    QWidget* buildListPage();
    QWidget* buildDisplayPage();
    QWidget* buildOptionsPage();
    QWidget* buildLearnPage();
    void addLearnValue(QGridLayout* grid, int row, LearnValue& value, const QString& label,
        const char* name, const std::string& text, const SliderTriple& triple,
        const char* scale = nullptr);
    void showHelp();
    void pageShown(int index);

    UiContext& m_context;
    const int m_user;
    const DrillSettingsRecords m_stored;
    QTabWidget* m_tabs = nullptr;
    std::array<QWidget*, 4> m_firstFocus {};
    std::array<bool, 4> m_pageSeen {};

    // "User List Setup"
    NumberBox* m_minLetters = nullptr;
    NumberBox* m_maxLetters = nullptr;
    NumberBox* m_listSize = nullptr;
    QLineEdit* m_oneLetter = nullptr;
    QLineEdit* m_predefined = nullptr;
    QRadioButton* m_typeFailures = nullptr;
    QRadioButton* m_typePredefined = nullptr;
    QRadioButton* m_typeOneLetter = nullptr;
    QRadioButton* m_typeRandom = nullptr;
    QRadioButton* m_typeReview = nullptr; // kept in the settings file, not the record
    bool m_reviewStored = false;
    // "Display"
    NumberBox* m_wordShowTime = nullptr;
    NumberBox* m_answerDelay = nullptr;
    NumberBox* m_spellTime = nullptr;
    NumberBox* m_betweenWords = nullptr;
    QRadioButton* m_upperCase = nullptr;
    QRadioButton* m_lowerCase = nullptr;
    // "User List Options"
    QRadioButton* m_adjustPractice = nullptr;
    QRadioButton* m_adjustManual = nullptr;
    QRadioButton* m_adjustAuto = nullptr;
    QRadioButton* m_repeatAll = nullptr;
    QRadioButton* m_repeatFailures = nullptr;
    QRadioButton* m_levelElementary = nullptr;
    QRadioButton* m_levelIntermediate = nullptr;
    QRadioButton* m_levelAdvanced = nullptr;
    QRadioButton* m_languageUK = nullptr;
    QRadioButton* m_languageUS = nullptr;
    QCheckBox* m_showLanguageFlag = nullptr;
    // Dictation by ear, kept in the settings file rather than the startup record.
    QCheckBox* m_hearOnly = nullptr;
    bool m_hearOnlyStored = false;
    // "Learn Setup"
    QRadioButton* m_learnFlash = nullptr;
    QRadioButton* m_learnRipple = nullptr;
    QRadioButton* m_learnContinuous = nullptr;
    NumberBox* m_continuousTime = nullptr;
    LearnValue m_flashDuration, m_flashCount, m_rippleDuration, m_rippleCount;
};

// Command "&List Properties": shows the sheet for the current user. True when OK stored new
// values, so the caller refreshes the status bar.
bool runListSetupSheet(QWidget* parent, UiContext& context);

} // namespace quorvel::ui
