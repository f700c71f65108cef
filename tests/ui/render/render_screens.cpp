// Renders the main window and every dialog reachable from its commands to PNG files, on the
// offscreen platform, so anyone can look at them without running the program:
//
//   QT_QPA_PLATFORM=offscreen quorvel_render_screens <output folder>
//
// Each command is run as the menu runs it; the dialog it opens is captured page by page (every
// tab of a sheet, every page of a wizard that can be reached without typing, and the wizard's age
// page) and then cancelled. Message boxes the commands show on the way are captured too.

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_desk.h"
#include "app/first_run_dialog.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "app/splash_window.h"
#include "config/startup_info.h"
#include "dictionary/additional_import.h"
#include "dictionary_tools/import_dialog.h"
#include "dictionary_tools/transfer_dialog.h"
#include "documents/document_editor.h"
#include "documents/text_document_window.h"
#include "history/history_file.h"
#include "progress/progress_window.h"
#include "scrappad/scrap_pad_window.h"
#include "support/dictionary_test_support.h"
#include "support/temp_folder.h"
#include "support/test_document.h"

#include <QTextCursor>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QWizard>
#include <cstdio>

namespace {

using namespace quorvel;

QString g_out;
int g_index = 0;

QString slug(QString s)
{
    s = s.toLower();
    s.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    return s.remove(QRegularExpression(QStringLiteral("^-|-$")));
}

void save(QWidget* w, const QString& name)
{
    const QString file = QStringLiteral("%1/%2-%3.png")
                             .arg(g_out)
                             .arg(++g_index, 2, 10, QLatin1Char('0'))
                             .arg(slug(name));
    w->grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

// Captures a modal widget: every tab of its tab widgets, every wizard page reachable with Next.
void capture(QWidget* modal, const QString& base)
{
    QApplication::processEvents();
    if (auto* wizard = qobject_cast<QWizard*>(modal)) {
        save(modal, base + QStringLiteral(" page 1"));
        // Later pages that are reached only by typing are opened directly: the age page.
        for (const int id : wizard->pageIds()) {
            if (wizard->page(id)->objectName() != QStringLiteral("agePage"))
                continue;
            wizard->setStartId(id);
            wizard->restart();
            QApplication::processEvents();
            save(modal, base + QStringLiteral(" age page"));
        }
        return;
    }
    const auto tabs = modal->findChildren<QTabWidget*>();
    if (tabs.isEmpty()) {
        save(modal, base);
        return;
    }
    QTabWidget* tab = tabs.first();
    for (int i = 0; i < tab->count(); ++i) {
        tab->setCurrentIndex(i);
        QApplication::processEvents();
        save(modal, base + QLatin1Char(' ') + tab->tabText(i));
    }
}

// Answers every modal widget that appears while `run` runs: captures it and cancels it.
void runCapturing(const QString& base, const std::function<void()>& run)
{
    auto* timer = new QTimer;
    int seen = 0;
    QWidget* last = nullptr;
    QObject::connect(timer, &QTimer::timeout, [&]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last || !modal->isVisible())
            return;
        last = modal;
        QString title = modal->windowTitle();
        capture(modal, base + QLatin1Char(' ') + (seen++ ? title : QString()));
        if (auto* d = qobject_cast<QDialog*>(modal))
            d->reject();
        else
            modal->close();
        last = nullptr;
    });
    timer->start(30);
    run();
    QApplication::processEvents();
    timer->stop();
    delete timer;
}

// The Spelling Bee window in a drill: the answer asked for, the verdict, then the summary.
void captureDrill(const QString& base)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, base]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->findChild<QAbstractButton*>(QStringLiteral("startButton")))
            return;
        timer->stop();
        timer->deleteLater();
        auto waitFor = [&](const QString& text) {
            auto* line = modal->findChild<QLabel*>(QStringLiteral("promptLine"));
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 15000 && !(line && line->text().contains(text)))
                QTest::qWait(50);
        };
        modal->findChild<QAbstractButton*>(QStringLiteral("startButton"))->click();
        waitFor(QStringLiteral("answer"));
        QTest::qWait(300);
        auto* answer = modal->findChild<QLineEdit*>(QStringLiteral("answerBox"));
        QTest::keyClicks(answer, QStringLiteral("ZEBBRA"));
        save(modal, base + QStringLiteral(" answer"));
        QTest::keyClick(answer, Qt::Key_Return);
        waitFor(QStringLiteral("spelt"));
        save(modal, base + QStringLiteral(" verdict"));
        waitFor(QStringLiteral("Press the start"));
        QTest::qWait(100);
        save(modal, base + QStringLiteral(" summary"));
        modal->findChild<QAbstractButton*>(QStringLiteral("enterButton"))->click();
    });
    timer->start(50);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvel_render_screens <output folder>\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);
    // --dark: the pictures as a dark desktop shows them.
    if (argc > 2 && QByteArray(argv[2]) == "--dark") {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(30, 30, 32));
        dark.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(55, 55, 58));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        dark.setColor(QPalette::ToolTipBase, QColor(55, 55, 58));
        dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
        dark.setColor(QPalette::Mid, QColor(70, 70, 74));
        dark.setColor(QPalette::Dark, QColor(25, 25, 27));
        dark.setColor(QPalette::Light, QColor(80, 80, 84));
        for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
            dark.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
        QApplication::setPalette(dark);
    }

    test::TempFolder folder;
    folder.makeProgdata();
    test::writeBytes(folder.file("progdata/sonddict.dis"),
        buildDictionaryImage({ test::entry("CAT", 0, 0), test::entry("DOG", 0, 2),
            test::entry("ZEBRA"),
            // Words of a category, which the drill of the pictures does not draw from, give the
            // Progress window's word status something to show.
            test::entry("APPLE", 3, 2), test::entry("HOUSE", 3, 3), test::entry("LEMON", 3, 2),
            test::entry("RIVER", 3, 0), test::entry("TIGER", 3, 3), test::entry("OCEAN", 3, 1) }));
    StartupInfo info;
    CreateStartupInfo(info, folder.path());
    SystemClock clock;
    GenerateHistoryFile(folder.path(), 20, 0, clock);
    // A term of drills for the Progress window: scores rising at one level, then a promotion.
    if (auto history = HistoryFile::open(folder.path(), 0, OpenMode::ReadWrite)) {
        const std::time_t start = clock.now() - 40 * 86400;
        const int scores[][3] = { { 10, 4, 1 }, { 10, 5, 1 }, { 10, 7, 1 }, { 10, 6, 1 },
            { 10, 8, 1 }, { 10, 10, 1 }, { 12, 7, 2 }, { 12, 9, 2 }, { 12, 8, 2 }, { 12, 11, 2 },
            { 12, 12, 2 }, { 15, 9, 3 }, { 15, 11, 3 } };
        std::time_t when = start;
        for (const auto& s : scores) {
            HistorySummary drill;
            drill.words = static_cast<std::uint16_t>(s[0]);
            drill.correct = static_cast<std::uint16_t>(s[1]);
            drill.level = static_cast<std::uint16_t>(s[2]);
            drill.listType = 1;
            history->append(drill, classicDateText(when), true, clock);
            when += 3 * 86400;
        }
        history->close();
    }

    {
        ui::SplashWindow splash;
        splash.show();
        save(&splash, QStringLiteral("splash"));
    }
    {
        ui::FirstRunDialog dialog;
        dialog.show();
        save(&dialog, QStringLiteral("first run dialog"));
    }

    ui::QuorvelRuntime runtime(folder.path());
    runtime.start();
    ui::MainFrame& frame = runtime.frame();
    frame.showNormal();
    frame.resize(1180, 720);
    QApplication::processEvents();
    save(&frame, QStringLiteral("main window"));
    // The system commands are open for the pictures.
    runtime.session().systemAccessGranted = true;
    frame.refreshCommandStates();

    const int commands[] = { command::kSpellingBee, command::kNewUserWizard,
        command::kUserProperties, command::kListProperties, command::kSystemAccess,
        command::kPasswordSetup, command::kSystemSetup, command::kPaths, command::kBackup,
        command::kNewHistoryFile, command::kFirstTimeHelp, command::kAbout, command::kPrintOptions,
        command::kCategorySetup, command::kRecordingSetup, command::kDictionaryEditor,
        command::kBrowseDictionary };
    for (int id : commands) {
        const CommandInfo* c = findCommand(id);
        runCapturing(
            QString::fromLatin1(c->text).remove(QLatin1Char('&')).remove(QStringLiteral("...")),
            [&] { frame.runCommand(id); });
    }
    captureDrill(QStringLiteral("spelling bee"));
    frame.runCommand(command::kSpellingBee);

    // The Progress window in the client area, beside nothing else.
    frame.runCommand(command::kProgress);
    QApplication::processEvents();
    if (QMdiSubWindow* progress = frame.mdiArea()->activeSubWindow()) {
        progress->showMaximized();
        QApplication::processEvents();
        save(&frame, QStringLiteral("progress window"));
        save(progress->widget(), QStringLiteral("progress window charts"));
        progress->close();
    }

    // A bee window with a sample bee file and the list made from it, then a statistics window
    // of each report kind, maximized in the client area.
    if (auto* desk = frame.findChild<ui::DocumentDesk*>()) {
        if (ui::TextDocumentWindow* bee
            = desk->openByName(test::fixturePath("../../resources/beefiles/animals.bee"))) {
            // Not maximized, so its caption shows.
            frame.mdiArea()->activeSubWindow()->setGeometry(16, 12, 620, 420);
            frame.runCommand(command::kMakeList);
            QTextCursor c = bee->editor()->textCursor();
            c.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 3);
            c.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
            bee->editor()->setTextCursor(c);
            QApplication::processEvents();
            save(&frame, QStringLiteral("bee window"));
            bee->showFindDialog(true);
            QApplication::processEvents();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == QLatin1String("replaceDialog")) {
                    save(w, QStringLiteral("replace dialog"));
                    w->close();
                }
        }
        const int reports[] = { command::kLastList, command::kLastListAttempts,
            command::kDictionaryReport, command::kDictionaryStatus, command::kHistoryReport,
            command::kSelectedHistory, command::kViewStats };
        for (int id : reports) {
            const QString name
                = QString::fromLatin1(findCommand(id)->text).remove(QLatin1Char('&')).trimmed();
            runCapturing(name, [&] { frame.runCommand(id); });
            if (QMdiSubWindow* w = frame.mdiArea()->activeSubWindow())
                w->showMaximized();
            QApplication::processEvents();
            save(&frame, name);
        }
        desk->closeAll();
        QApplication::processEvents();
    }

    // The scrap pad, its pages as the drill and a person left them, page 2 current.
    for (const auto& [name, text] :
        { std::pair { "progdata/spaduse0.pad", " CAT\r\n ZEBRA\r\nkitten puppy gosling\r\n" },
            std::pair { "progdata/spadusp0.pad", "DOG\r\ncygnet\r\nleveret\r\n" } }) {
        QFile file(QString::fromStdString(folder.file(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    frame.runCommand(command::kOpenScrapPad);
    QApplication::processEvents();
    if (auto* pad
        = qobject_cast<ui::ScrapPadWindow*>(frame.mdiArea()->activeSubWindow()->widget())) {
        pad->page(1)->setFocus();
        pad->page(1)->moveCursor(QTextCursor::End);
        QApplication::processEvents();
        save(&frame, QStringLiteral("scrap pad"));
        frame.mdiArea()->activeSubWindow()->close();
    }

    // A bee list in the client area and its print preview, with a line too long for the paper.
    {
        QStringList lines = { QStringLiteral("ANIMALS"), QString(), QStringLiteral("CAT"),
            QStringLiteral("DOG"), QStringLiteral("ZEBRA"), QStringLiteral("GIRAFFE"),
            QStringLiteral("HIPPOPOTAMUS"), QString(),
            QStringLiteral("The hippopotamus spends the day in rivers and lakes and comes out at "
                           "night to graze on the grass of the banks, walking many miles before "
                           "it goes back to the water at dawn.") };
        auto* list = new test::TestDocument(
            ui::DocumentKind::BeeList, QStringLiteral("animals.bee"), lines, {});
        QMdiSubWindow* child = frame.mdiArea()->addSubWindow(list);
        child->resize(520, 360);
        child->show();
        frame.mdiArea()->setActiveSubWindow(child);
        frame.refreshCommandStates();
        runCapturing(
            QStringLiteral("print preview"), [&] { frame.runCommand(command::kPrintPreview); });
        child->close();
    }

    // The import dialog on an additional dictionary in a folder, and the bulk transfer's settings.
    {
        const std::string stick = folder.file("stick");
        QDir().mkpath(QString::fromStdString(stick));
        test::writeBytes(additionalFilePath(stick, kAdditionalDictionaryName),
            buildDictionaryImage(
                { test::entry("ROBIN", 1), test::entry("WREN", 1) }, dict::kAdditionalKind));
        std::vector<std::uint8_t> names(kAdditionalConfigSize, 0);
        for (int slot = 0; slot < kCategorySlots; ++slot) {
            const std::string name = slot == 1 ? "Garden birds" : slot == 2 ? "Sea fish" : "Free";
            std::copy(name.begin(), name.end(), names.begin() + slot * 27);
        }
        names[kAdditionalMarkOffset] = 1;
        test::writeBytes(additionalFilePath(stick, kAdditionalConfigName), names);
        ui::UiContext context = runtime.context();
        ui::ImportDialog import(context, stick, {}, &frame);
        import.loadFolder(stick);
        import.show();
        QApplication::processEvents();
        save(&import, QStringLiteral("import additional dictionary"));
        import.close();
        ui::TransferDialog transfer(context, BulkEditorSettings {}, &frame);
        transfer.show();
        QApplication::processEvents();
        save(&transfer, QStringLiteral("bulk transfer"));
        transfer.close();
    }

    frame.runCommand(command::kHelpContents);
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w != &frame && !w->windowTitle().isEmpty())
            save(w, w->windowTitle());
    }
    frame.setQuitCheck([] { return true; });
    frame.close();
    return 0;
}
