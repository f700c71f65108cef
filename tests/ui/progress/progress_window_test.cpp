// The Progress window on the offscreen platform: a user's drills and word status as charts, the
// notes when a file is missing or damaged, saving the charts as a PNG picture (and refusing a
// folder it cannot write in), and the printed page in paper colours whatever the screen shows.

#include "app/session.h"
#include "platform/paths.h"
#include "progress/progress_window.h"
#include "strings/progress_strings.h"
#include "strings/strings.h"
#include "support/dialog_world.h"
#include "support/modal.h"
#include "support/progress_fixture.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QImage>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace quorvel::test {
namespace {

constexpr std::time_t kStart = 1765375385; // Wed Dec 10 14:03:05 2025 UTC
const QColor kElementaryOnPaper(0x2e, 0x7d, 0x32);

class ProgressWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        area.resize(1000, 700);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
        world.session.setCurrentUser(2);
    }

    // User 2's drills: two at Elementary, an automatic one at Intermediate that promoted the
    // user (two records, one drill) and one at Advanced.
    void writeDrills()
    {
        writeHistory(world.folder.path(), 2, 8,
            { { drillSummary(10, 4, 1), kStart }, { drillSummary(10, 7, 1), kStart + 86400 },
                { drillSummary(12, 12, 2, true), kStart + 2 * 86400 },
                { drillSummary(12, 12, 3, true), kStart + 2 * 86400 + 2 },
                { drillSummary(8, 2, 3), kStart + 3 * 86400 } });
    }

    template <typename T> T* series(QChart* chart, const char* name)
    {
        for (QAbstractSeries* s : chart->series()) {
            if (s->objectName() == QLatin1String(name))
                return qobject_cast<T*>(s);
        }
        return nullptr;
    }

    std::vector<qreal> barValues(ui::ProgressWindow* window)
    {
        std::vector<qreal> values;
        auto* bars = series<QBarSeries>(window->statusChart(), "statusBars");
        if (!bars)
            return values;
        for (QBarSet* set : bars->barSets())
            values.push_back(set->count() == 1 ? set->at(0) : -1);
        return values;
    }

    DialogWorld world;
    QMdiArea area;
};

TEST_F(ProgressWindowTest, ChartsTheUsersDrillsAndStatusAndSavesThemAsPng)
{
    writeDrills();
    writeStatusDictionary(world.folder.path());
    ui::ProgressWindow* window = ui::openProgressWindow(&area, world.context);
    ASSERT_NE(window, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(window->user(), 2);
    EXPECT_TRUE(window->notes().isEmpty()) << window->notes().toStdString();

    // One point per drill, in the series of the level it was spelt at.
    auto* line = series<QLineSeries>(window->scoreChart(), "scoreLine");
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->count(), 4);
    EXPECT_EQ(line->at(0), QPointF(kStart * 1000.0, 40));
    EXPECT_EQ(line->at(2), QPointF((kStart + 2 * 86400) * 1000.0, 100));
    EXPECT_EQ(series<QScatterSeries>(window->scoreChart(), "level1Points")->count(), 2);
    EXPECT_EQ(series<QScatterSeries>(window->scoreChart(), "level2Points")->count(), 1);
    EXPECT_EQ(series<QScatterSeries>(window->scoreChart(), "level3Points")->count(), 1);
    EXPECT_EQ(series<QScatterSeries>(window->scoreChart(), "level0Points"), nullptr);
    const std::vector<qreal> user2(kStatusesOfUser2.begin(), kStatusesOfUser2.end());
    EXPECT_EQ(barValues(window), user2);

    // The command again brings the same window forward, read afresh.
    writeHistory(world.folder.path(), 2, 8, { { drillSummary(5, 5, 1), kStart + 4 * 86400 } });
    EXPECT_EQ(ui::openProgressWindow(&area, world.context), window);
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(series<QLineSeries>(window->scoreChart(), "scoreLine")->count(), 5);

    // Saved as a PNG picture; a name without the suffix gets it.
    const std::string picture = world.folder.file("charts");
    world.asker.saveFiles = { picture };
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    // A mnemonic presses its button as a short animation.
    for (int i = 0; i < 50 && world.asker.suggestedSaveFiles.empty(); ++i)
        QTest::qWait(20);
    ASSERT_EQ(world.asker.suggestedSaveFiles.size(), 1u);
    EXPECT_TRUE(world.prompter.shown.empty());
    const QImage saved(QString::fromStdString(picture + ".png"), "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_GT(saved.width(), 0);
    EXPECT_GT(saved.height(), 0);
    EXPECT_GT(std::filesystem::file_size(picture + ".png"), 0u);
}

TEST_F(ProgressWindowTest, SaveWhereNothingCanBeWrittenReportsAndLeavesNothing)
{
    writeDrills();
    ui::ProgressWindow* window = ui::openProgressWindow(&area, world.context);
    const std::string locked = world.folder.file("locked");
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(
        locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // Permissions do not stop the super-user: there a folder no one may create files in stands
    // for it.
    const std::string folder = ::access(locked.c_str(), W_OK) == 0 ? "/proc" : locked;
    const std::string target = paths::join(folder, "charts.png");
    world.asker.saveFiles = { target };
    window->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();

    ASSERT_EQ(world.prompter.shown.size(), 1u);
    EXPECT_EQ(world.prompter.shown[0].caption, strings::kWarning);
    EXPECT_NE(world.prompter.shown[0].text.find("Unable to write file " + target + " to disk."),
        std::string::npos)
        << world.prompter.shown[0].text;
    EXPECT_FALSE(std::filesystem::exists(target));
    // Neither the picture nor a temporary file of it.
    const QStringList left
        = QDir(QString::fromStdString(folder))
              .entryList({ QStringLiteral("*charts*") }, QDir::AllEntries | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(' ')).toStdString();
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

// What could not be read is said above the charts; the rest is still drawn.
TEST_F(ProgressWindowTest, NotesSayWhatCouldNotBeRead)
{
    struct Case
    {
        const char* name;
        bool history, damageRing, dictionary;
        const char* note;
        int points;
    };
    const Case cases[] = {
        { "no history file", false, false, true, "has no history file", 0 },
        { "a broken ring", true, true, true, "is damaged: only the Spelling Bees read before", 2 },
        { "no dictionary", true, false, false, strings::kProgressNoDictionary, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogWorld w;
        w.session.setCurrentUser(2);
        if (c.history) {
            writeHistory(w.folder.path(), 2, 5,
                { { drillSummary(10, 4, 1), kStart }, { drillSummary(10, 7, 1), kStart + 60 },
                    { drillSummary(10, 9, 1), kStart + 120 },
                    { drillSummary(10, 2, 1), kStart + 180 } });
        }
        if (c.damageRing)
            setHistoryLink(paths::historyFile(w.folder.path(), '2'), 2, 56 * 99);
        if (c.dictionary)
            writeStatusDictionary(w.folder.path());
        ui::ProgressWindow window(w.context, 2);
        EXPECT_TRUE(window.notes().contains(QString::fromLatin1(c.note)))
            << window.notes().toStdString();
        EXPECT_EQ(series<QLineSeries>(window.scoreChart(), "scoreLine")->count(), c.points);
        const std::vector<qreal> user2(kStatusesOfUser2.begin(), kStatusesOfUser2.end());
        EXPECT_EQ(barValues(&window), c.dictionary ? user2 : std::vector<qreal>(4, 0.0));
        EXPECT_EQ(series<QBarSeries>(window.statusChart(), "statusBars")->isLabelsVisible(),
            c.dictionary);
    }
}

// On a dark desktop the charts take the dark palette; on paper they are dark on white.
TEST_F(ProgressWindowTest, FollowsTheDarkPaletteOnScreenAndPrintsOnWhite)
{
    writeDrills();
    writeStatusDictionary(world.folder.path());
    ui::ProgressWindow window(world.context, 2);
    QPalette dark = window.palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    window.setPalette(dark);
    window.resize(900, 700);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.scoreChart()->backgroundBrush().color(), QColor(30, 30, 32));
    EXPECT_EQ(window.scoreChart()->titleBrush().color(), QColor(230, 230, 230));
    // The points are drawn lighter than on a light background, so they stand out on the dark.
    auto* elementary = series<QScatterSeries>(window.scoreChart(), "level1Points");
    EXPECT_GT(elementary->color().lightness(), QColor(30, 30, 32).lightness() + 60);

    QImage page(800, 1000, QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    window.paintPage(painter, QRectF(0, 0, 800, 1000));
    painter.end();
    // The top right corner: beside the heading, above the charts.
    EXPECT_EQ(page.pixelColor(795, 2), QColor(Qt::white));
    int paperGreen = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            paperGreen += page.pixelColor(x, y) == kElementaryOnPaper;
    }
    EXPECT_GT(paperGreen, 0) << "no Elementary point in its paper colour";
    // The screen keeps its dark look after printing.
    EXPECT_EQ(window.scoreChart()->backgroundBrush().color(), QColor(30, 30, 32));

    // Printing to a PDF file goes through the same page.
    const QString pdf = QString::fromStdString(world.folder.file("progress.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    window.printTo(printer);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

} // namespace
} // namespace quorvel::test
