// What each command of the main window does: the handler table. A command without a handler
// here stays greyed.

#include "app/document_desk.h"
#include "app/main_frame.h"
#include "app/real_services.h"
#include "app/session.h"

#include "app/command_table.h"
#include "common/document_window.h"
#include "dictionary_tools/browser_dialog.h"
#include "dictionary_tools/category_setup_dialog.h"
#include "dictionary_tools/dictionary_editor_dialog.h"
#include "dictionary_tools/import_dialog.h"
#include "dictionary_tools/recording_settings_dialog.h"
#include "dictionary_tools/transfer_dialog.h"
#include "drill/list_setup_sheet.h"
#include "drill/spelling_bee_window.h"
#include "help/about_box.h"
#include "help/first_time_help.h"
#include "history/history_files_dialog.h"
#include "printing/document_printer.h"
#include "printing/document_sending.h"
#include "printing/print_options_dialog.h"
#include "printing/sending.h"
#include "progress/progress_window.h"
#include "scrappad/scrap_pad_window.h"
#include "speech/espeak_synthesizer.h"
#include "system/backup_command.h"
#include "system/sound_backup_dialog.h"
#include "system/system_setup_dialog.h"
#include "users/new_user_wizard.h"
#include "users/password_setup_dialog.h"
#include "users/user_setup_sheet.h"

#include "common/ui_text.h"
#include "strings/strings.h"
#include "strings/transfer_strings.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextCursor>

namespace quorvel::ui {

void registerCommands(
    MainFrame& frame, UiContext ctx, SoundDevice* sound, MailSender& mail, SoundRecorder* recorder)
{
    MainFrame* f = &frame;
    // Closes the drop-down lists of the tool-bar boxes before a sheet opens over them.
    auto closeBoxLists = [f] {
        f->userBox()->hidePopup();
        f->categoryBox()->hidePopup();
    };

    f->setHandler(command::kExit, [f] { f->close(); });

    QMdiArea* mdi = f->mdiArea();
    f->setHandler(command::kCascade, [mdi] { mdi->cascadeSubWindows(); });
    f->setHandler(command::kTile, [mdi] { mdi->tileSubWindows(); });
    f->setHandler(command::kArrangeIcons, [mdi] {
        // Minimised windows in a row along the bottom of the client area.
        int x = 0;
        for (QMdiSubWindow* w : mdi->subWindowList()) {
            if (!w->isMinimized())
                continue;
            w->move(x, mdi->viewport()->height() - w->height());
            x += w->width();
        }
    });

    f->setHandler(command::kNewUserWizard, [f, ctx]() mutable { runNewUserWizard(ctx, f); });
    f->setHandler(command::kUserProperties, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runUserSetupSheet(ctx, f);
    });
    HelpService* help = &ctx.help;
    f->setHandler(command::kHelpContents, [help] { help->showIndex(); });
    f->setHandler(command::kUsingHelp, [help] { help->showUsingHelp(); });
    f->setHandler(command::kFirstTimeHelp, [f, closeBoxLists] {
        closeBoxLists();
        runFirstTimeHelp(f);
    });
    f->setHandler(command::kAbout, [f] { runAboutBox(f); });
    f->setHandler(command::kPasswordSetup, [f, ctx]() mutable { runPasswordSetup(ctx, f); });
    f->setHandler(command::kSystemAccess, [ctx]() mutable { runSystemMenuAccess(ctx); });
    f->setHandler(command::kSpellingBee, [f, ctx, mdi, sound]() mutable {
        // Failed words go to the open scrap pad's page 1 at its caret.
        runSpellingBee(
            f, ctx, sound,
            [mdi](const std::string& line) {
                if (ScrapPadWindow* pad = findScrapPad(mdi))
                    pad->insertFailure(toQString(line));
            },
            sound ? &services::programSynthesizer() : nullptr);
    });
    f->setHandler(command::kBrowseDictionary, [f, ctx, mdi, sound, closeBoxLists]() mutable {
        closeBoxLists();
        Session* session = &ctx.session;
        // A word sent to the scrap pad goes to the end of page 1 of the user's open scrap pad.
        runBrowser(
            ctx, sound,
            [mdi, session](const std::string& line) {
                ScrapPadWindow* pad = findScrapPad(mdi);
                if (!pad || pad->user() != session->currentUser())
                    return false;
                QTextCursor cursor(pad->page(0)->document());
                cursor.movePosition(QTextCursor::End);
                const QString text = pad->page(0)->toPlainText();
                if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
                    cursor.insertText(QStringLiteral("\n"));
                QString added = toQString(line);
                added.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                cursor.insertText(added);
                return true;
            },
            f);
    });
    f->setHandler(command::kListProperties, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runListSetupSheet(f, ctx);
    });
    f->setHandler(command::kSystemSetup, [f, ctx]() mutable { runSystemSetup(f, ctx); });
    f->setHandler(command::kPaths, [f, ctx]() mutable { runSoundBackupSettings(f, ctx); });
    f->setHandler(command::kBackup, [f, ctx]() mutable { runBackupDictionary(f, ctx); });
    f->setHandler(command::kCategorySetup, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runCategorySetup(ctx, f);
    });
    f->setHandler(command::kDictionaryEditor, [f, ctx, closeBoxLists, sound, recorder]() mutable {
        closeBoxLists();
        const bool changed = runDictionaryEditor(ctx, f, sound, recorder, &f->settings());
        f->refreshStatus();
        if (changed)
            ctx.session.noteDictionaryChanged();
    });
    f->setHandler(command::kImportCategories, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runImportCategories(ctx, f);
    });
    f->setHandler(command::kRecordingSetup, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runRecordingSettings(ctx, f->settings(), f);
    });
    f->setHandler(command::kNewHistoryFile, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runNewHistoryFiles(f, ctx);
    });
    f->setHandler(command::kSound, [f, ctx]() mutable { runSoundSwitch(ctx); });
    Session* session = &ctx.session;
    f->setHandler(
        command::kProgress, [f, ctx] { openProgressWindow(f->mdiArea(), ctx); },
        [session] { return session->currentUser() >= 0 && session->currentUser() < kUserSlots; });

    // Bee and statistics windows, the scrap pad, closing, the document commands and the reports.
    DocumentDesk* desk = installDocumentDesk(frame, ctx);

    // The words of the active bee or text window (its selection, or all of it) go into the
    // dictionary; the report opens in a window of its own.
    auto activeList = [mdi]() -> TextDocumentWindow* {
        auto* window = dynamic_cast<TextDocumentWindow*>(activeDocument(mdi));
        return window && window->documentKind() == DocumentKind::BeeList ? window : nullptr;
    };
    f->setHandler(
        command::kTransfer,
        [f, ctx, desk, activeList, closeBoxLists]() mutable {
            TextDocumentWindow* window = activeList();
            if (!window) {
                ctx.prompter.show(strings::kTransferNotBeeOrText, strings::kInformation,
                    MessageIcon::Information);
                return;
            }
            closeBoxLists();
            const std::optional<BulkEditorSettings> settings
                = runTransferSettings(ctx, f->settings(), f);
            if (!settings)
                return;
            // The dialog may have outlived the window it was opened for.
            window = activeList();
            if (!window) {
                ctx.prompter.show(strings::kTransferNoWords, strings::kTransferNoWordsCaption,
                    MessageIcon::Exclamation);
                return;
            }
            const QTextCursor cursor = window->editor()->textCursor();
            QString text
                = cursor.hasSelection() ? cursor.selectedText() : window->editor()->toPlainText();
            text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            const QString source = window->documentTitle();
            const std::optional<std::string> report
                = transferWindowText(ctx, *settings, text.toStdString());
            if (!report)
                return;
            QString caption = uiText(strings::kTransferReportCaption);
            caption.replace(QStringLiteral("%s"), source);
            desk->openReportWindow(caption, *report);
        },
        [activeList] { return activeList() != nullptr; });

    // Printing and sending work on the active document window; the printer chosen in the
    // dialogs is kept for the run.
    auto* printing = new DocumentPrinter(ctx, f);
    auto documentActive = [mdi] { return activeDocument(mdi) != nullptr; };
    f->setHandler(
        command::kPrint,
        [mdi, printing] {
            if (const DocumentWindow* document = activeDocument(mdi))
                printing->print(*document);
        },
        documentActive);
    f->setHandler(
        command::kPrintPreview,
        [mdi, printing] {
            if (const DocumentWindow* document = activeDocument(mdi))
                printing->preview(*document);
        },
        documentActive);
    f->setHandler(
        command::kPrintSetup, [printing] { printing->printSetup(); }, documentActive);
    f->setHandler(command::kPrintOptions, [f, ctx, closeBoxLists]() mutable {
        closeBoxLists();
        runPrintOptions(ctx, f->settings(), f);
    });
    MailSender* sender = &mail;
    Prompter* prompter = &ctx.prompter;
    f->setHandler(
        command::kSend,
        [mdi, sender, prompter] {
            if (const DocumentWindow* document = activeDocument(mdi))
                sendDocument(*document, *sender, *prompter);
        },
        [mdi] { return canSend(activeDocument(mdi)); });
}

} // namespace quorvel::ui
