// Every dialog a command opens, checked the way a keyboard user meets it: each control can be
// reached with Tab and carries a name a screen reader can say (its own text, an accessible name,
// or a label that names it as its buddy).

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "config/settings_groups.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

bool insideComposite(QWidget* w, QWidget* root)
{
    // Parts of composite controls (the line of a spin box, the scroll buttons of a tab bar, the
    // view of a combo box's list) are reached through their owner.
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QTabBar*>(p)
            || qobject_cast<QComboBox*>(p) || p->inherits("QComboBoxPrivateContainer"))
            return true;
    }
    return false;
}

// A radio button of an exclusive button group is reached with the arrow keys from the group's
// checked button, which is the one Tab stops at.
bool reachedThroughGroup(QAbstractButton* button)
{
    if (!button || !button->group() || !button->group()->exclusive())
        return false;
    for (QAbstractButton* other : button->group()->buttons()) {
        if (other->focusPolicy() & Qt::TabFocus)
            return true;
    }
    return false;
}

QStringList audit(QWidget* dialog)
{
    QStringList problems;
    QSet<QWidget*> named;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->buddy())
            named.insert(label->buddy());
    }
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w)
            || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w)
            || qobject_cast<QSlider*>(w)
            || (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QScrollBar*>(w));
        if (!control || insideComposite(w, dialog))
            continue;
        const QString id
            = QStringLiteral("%1 \"%2\"")
                  .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!(w->focusPolicy() & Qt::TabFocus) && !reachedThroughGroup(button))
            problems << id + QStringLiteral(" cannot be reached with Tab");
        const bool hasName = !w->accessibleName().isEmpty() || named.contains(w)
            || (button && !button->text().remove(QLatin1Char('&')).trimmed().isEmpty());
        if (!hasName)
            problems << id + QStringLiteral(" has no name");
    }
    return problems;
}

TEST(DialogAudit, EveryControlIsReachableByKeyboardAndNamed)
{
    TempFolder folder;
    folder.makeProgdata();
    writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage({ entry("CAT") }));
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    runtime.session().systemAccessGranted = true;

    const int commands[] = { command::kNewUserWizard, command::kUserProperties,
        command::kListProperties, command::kPasswordSetup, command::kSystemSetup, command::kPaths,
        command::kNewHistoryFile, command::kFirstTimeHelp, command::kAbout, command::kPrintOptions,
        command::kCategorySetup, command::kImportCategories, command::kRecordingSetup,
        command::kDictionaryEditor, command::kBrowseDictionary };
    for (int id : commands) {
        SCOPED_TRACE(id);
        bool opened = false;
        QStringList problems;
        onNextModal([&](QWidget* dialog) {
            opened = true;
            problems = audit(dialog);
            if (auto* d = qobject_cast<QDialog*>(dialog))
                d->reject();
        });
        runtime.frame().runCommand(id);
        EXPECT_TRUE(opened);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    }
    runtime.frame().setQuitCheck([] { return true; });
    runtime.frame().close();
}

// The button that confirms a dialog unchanged: OK, Ok or Done.
QAbstractButton* confirmButton(QWidget* dialog)
{
    QAbstractButton* found = nullptr;
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        const QString t = b->text().remove(QLatin1Char('&')).trimmed();
        if (b->isVisible()
            && (t == QStringLiteral("OK") || t == QStringLiteral("Ok")
                || t == QStringLiteral("Done"))) {
            EXPECT_EQ(found, nullptr) << "two confirm buttons";
            found = b;
        }
    }
    return found;
}

// Opening a dialog and confirming it with nothing touched changes nothing: not the record in
// memory, not the record on disk, not the settings file. (A sheet whose radio buttons lost their
// checked state on the way to their groups once saved every group off and moved the user's
// level.)
TEST(DialogAudit, ConfirmingADialogUnchangedChangesNothing)
{
    TempFolder folder;
    folder.makeProgdata();
    writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage({ entry("CAT") }));
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    runtime.session().systemAccessGranted = true;
    const std::string record = folder.file("progdata/zelinf32.cfg");
    const std::string settings = folder.file("Fenwa.ini");
    ASSERT_TRUE(fileExists(settings));
    // The print options dialog writes its defaults when it opens on a file without any (a rule
    // of its own, tested with it); with options stored, its OK unchanged must write nothing.
    ASSERT_TRUE(writePrintOptions(runtime.settings(), { PrintSize::Large, 30 }));
    // There is no sound card here: the dictionary editor rightly warns a user who has sound on.
    runtime.session().info.setSoundOn(runtime.session().currentUser(), 0);
    ASSERT_TRUE(SaveStartupInfo(runtime.session().info));

    const int commands[] = { command::kUserProperties, command::kListProperties,
        command::kPasswordSetup, command::kSystemSetup, command::kPaths, command::kFirstTimeHelp,
        command::kAbout, command::kNewHistoryFile, command::kPrintOptions, command::kCategorySetup,
        command::kRecordingSetup, command::kDictionaryEditor };
    for (int id : commands) {
        SCOPED_TRACE(id);
        const auto recordBefore = readBytes(record);
        const auto settingsBefore = readBytes(settings);
        const auto memoryBefore = runtime.session().info.bytes();
        bool confirmed = false;
        onNextModal([&](QWidget* dialog) {
            // A dialog that stays open (it refused its values, or a check failed) is closed
            // for the next one.
            const auto close = qScopeGuard([dialog] {
                if (auto* d = qobject_cast<QDialog*>(dialog); d && d->isVisible())
                    d->reject();
            });
            QAbstractButton* ok = confirmButton(dialog);
            ASSERT_NE(ok, nullptr) << dialog->objectName().toStdString();
            ok->click();
            confirmed = true;
        });
        runtime.frame().runCommand(id);
        EXPECT_TRUE(confirmed);
        EXPECT_EQ(readBytes(record), recordBefore);
        EXPECT_EQ(readBytes(settings), settingsBefore);
        EXPECT_EQ(runtime.session().info.bytes(), memoryBefore);
        EXPECT_TRUE(prompter.shown.empty()) << prompter.shown.front().text;
    }
    runtime.frame().setQuitCheck([] { return true; });
    runtime.frame().close();
}

} // namespace
} // namespace quorvel::test
