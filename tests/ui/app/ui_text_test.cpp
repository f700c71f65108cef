// How the window shows its texts: table texts go through the translator in one context and come
// back as they stand while none is installed, run-time text keeps every byte, and each label
// carries its keyboard mnemonic on the letter it has always had.

#include "app/first_run_dialog.h"
#include "common/ui_text.h"
#include "drill/list_setup_sheet.h"
#include "history/history_files_dialog.h"
#include "strings/strings.h"
#include "strings/users_strings.h"
#include "support/dialog_world.h"
#include "support/fakes.h"
#include "system/sound_backup_dialog.h"
#include "system/system_setup_dialog.h"
#include "users/system_setup.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLabel>
#include <QTranslator>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quorvel::test {
namespace {

// Marks every text of one context, so a test sees which texts went through the translator.
class MarkingTranslator final : public QTranslator
{
public:
    QString translate(
        const char* context, const char* source, const char* = nullptr, int = -1) const override
    {
        if (QByteArrayView(context) != QByteArrayView(ui::kTextContext))
            return {};
        return QStringLiteral("[") + QString::fromUtf8(source) + QStringLiteral("]");
    }
    bool isEmpty() const override { return false; }
};

TEST(UiText, TableTextsComeBackAsTheirSourceUnlessATranslatorIsInstalled)
{
    EXPECT_EQ(ui::uiText(strings::kQuitQuestion), QStringLiteral("Do you wish to Quit?"));
    EXPECT_EQ(
        ui::uiText(strings::kPleaseCheckFiles), QStringLiteral("\r\n Please check your files."))
        << "odd spacing and line breaks stay as they are";

    MarkingTranslator translator;
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    const QString translated = ui::uiText(strings::kButtonCancel);
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(translated, QStringLiteral("[&Cancel]"));
    EXPECT_EQ(ui::uiText(strings::kButtonCancel), QStringLiteral("&Cancel"));
}

TEST(UiText, RunTimeTextKeepsEveryCharacterWhateverItsEncoding)
{
    struct Case
    {
        std::string bytes;
        QString shown;
    };
    const Case cases[] = {
        { "Philippa", QStringLiteral("Philippa") },
        { "", QString() },
        { "Zo\xc3\xab", QStringLiteral("Zo\u00eb") }, // UTF-8
        { "Zo\xeb", QStringLiteral("Zo\u00eb") }, // an 8-bit name from an older file
        { std::string("a\0b", 3), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::toQString(c.bytes), c.shown) << c.bytes;
}

TEST(UiText, MnemonicMarkersAreReadAsQtReadsThem)
{
    struct Case
    {
        const char* label;
        const char* plain;
        QChar letter;
    };
    const Case cases[] = {
        { "De&fault", "Default", QLatin1Char('f') },
        { "&All users", "All users", QLatin1Char('A') },
        { "Salt && &Pepper", "Salt & Pepper", QLatin1Char('P') },
        { "Salt && Pepper", "Salt & Pepper", QChar() },
        { "No mnemonic", "No mnemonic", QChar() },
        { "Trailing&", "Trailing", QChar() },
    };
    for (const Case& c : cases) {
        const QString label = QString::fromLatin1(c.label);
        EXPECT_EQ(ui::withoutMnemonic(label), QString::fromLatin1(c.plain)) << c.label;
        const QKeySequence expected = c.letter.isNull()
            ? QKeySequence()
            : QKeySequence(QKeyCombination(Qt::ALT, Qt::Key(c.letter.toUpper().unicode())));
        EXPECT_EQ(QKeySequence::mnemonic(label), expected) << c.label;
    }
}

// The labels and buttons that have a mnemonic, with the text each shows: the "&" stands where
// it always has. A label's mnemonic moves the focus to its buddy, so a label must have one.
struct Shown
{
    const char* text;
    char key;
};

void expectLabels(QWidget* dialog, const std::vector<Shown>& expected)
{
    for (const Shown& s : expected) {
        const QString text = QString::fromLatin1(s.text);
        QWidget* found = nullptr;
        for (auto* label : dialog->findChildren<QLabel*>()) {
            if (label->text() == text) {
                found = label;
                EXPECT_NE(label->buddy(), nullptr) << s.text;
            }
        }
        for (auto* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text() == text)
                found = button;
        }
        ASSERT_NE(found, nullptr) << "no label or button shows " << s.text;
        EXPECT_EQ(
            QKeySequence::mnemonic(text), QKeySequence(QKeyCombination(Qt::ALT, Qt::Key(s.key))))
            << s.text;
        EXPECT_FALSE(found->accessibleName().contains(QLatin1Char('&'))) << s.text;
    }
}

struct LabelFixture : ::testing::Test, DialogWorld
{ };

TEST_F(LabelFixture, ListSetupSheetLabelsKeepTheirMnemonics)
{
    ui::ListSetupSheet sheet(context);
    expectLabels(&sheet,
        {
            { "&Minimum Letters", 'M' },
            { "Ma&ximum  Letters", 'X' },
            { "&List size", 'L' },
            { "&One letter only ", 'O' },
            { "&Pre-defined", 'P' },
            { "&Failures only", 'F' },
            { "Pre-defined &start", 'S' },
            { "O&ne letter only", 'N' },
            { "&Random", 'R' },
            { "How long a &word should be displayed", 'W' },
            { "How long before you can &input your answer", 'I' },
            { "How long you have to &spell the word", 'S' },
            { "&Time you allow between words", 'T' },
            { "&Upper case", 'U' },
            { "&Lower case", 'L' },
            { "P&ractice", 'R' },
            { "&Manual", 'M' },
            { "&Auto ", 'A' },
            { "Repeat list &Failures", 'F' },
            { "English     &Uk", 'U' },
            { "English     U&SA", 'S' },
            { "&Tick to show language flag in status bar", 'T' },
            { "&Flash", 'F' },
            { "&Ripple", 'R' },
            { "&Continuous", 'C' },
            { "Time in &Seconds", 'S' },
            { "Flash &duration", 'D' },
            { "&No of Flashs", 'N' },
            { "Ripple d&uration", 'U' },
            { "No of Ri&pples", 'P' },
        });
}

TEST_F(LabelFixture, SystemDialogsAndFirstRunLabelsKeepTheirMnemonics)
{
    FakeClock clock;
    ui::HistoryFilesDialog history(context, clock);
    expectLabels(&history,
        { { "&Number of records per file : ", 'N' }, { "&Individual user", 'I' },
            { "&All users", 'A' } });

    ui::SystemSetupDialog system(context, systemSetupOpening(session));
    expectLabels(&system,
        { { "De&fault", 'F' }, { "S&uccess", 'U' }, { "&Promotion  threshold  %", 'P' },
            { "D&emotion   threshold  %", 'E' } });

    ui::SoundBackupDialog sound(context);
    expectLabels(&sound,
        { { "Reset to default director&y", 'Y' }, { "&Folder of the recorded word sounds", 'F' },
            { "&Path used  for Backup and Additional  dictionary  files", 'P' } });

    ui::FirstRunDialog first;
    expectLabels(&first, { { "  U.&S. Dialect", 'S' }, { "  U.&K. Dialect", 'K' } });
}

} // namespace
} // namespace quorvel::test
