#pragma once

// The Progress window: a user's drills from the history file as a chart of the score over time,
// each point marked with the level it was spelt at, and the user's dictionary word status now as
// a bar chart. It is a snapshot like the text reports; opening it again reads the files again.
// The charts take their colours from the window's palette, so they read on a dark desktop, and
// their sizes from its font, so they grow with the screen's scale.

#include "common/ui_services.h"
#include "reports/progress_data.h"

#include <QRectF>
#include <QWidget>

#include <string>

class QChart;
class QChartView;
class QLabel;
class QMdiArea;
class QPainter;
class QPrinter;
class QPushButton;
class QScatterSeries;
class QSplitter;

namespace quorvel::ui {

class ProgressWindow final : public QWidget
{
    Q_OBJECT
public:
    ProgressWindow(UiContext context, int user, QWidget* parent = nullptr);

    int user() const { return m_user; }
    // Reads the history file and the dictionary again and redraws.
    void reload();
    const ProgressData& data() const { return m_data; }
    QChart* scoreChart() const;
    QChart* statusChart() const;
    // The notes above the charts (what could not be read), empty when all was read.
    QString notes() const;

    // Asks for a file and saves both charts there as a PNG picture.
    void saveAsPngAsked();
    // Saves both charts as a PNG picture at `path`, replacing the file only once the whole
    // picture is written. A failure is shown to the person and leaves nothing behind.
    bool saveAsPng(const std::string& path);
    // The print dialog, then the page.
    void print();
    // Both charts on one page, under a heading, in print colours (dark text on white).
    void printTo(QPrinter& printer);
    // The printed page: the heading and both charts in print colours, within `area`.
    void paintPage(QPainter& painter, const QRectF& area);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildCharts();
    void restyle(const QPalette& palette);
    void showNotes();
    void pointHovered(const QPointF& point, bool state);
    QString heading() const;

    UiContext m_ctx;
    int m_user;
    ProgressData m_data;
    QLabel* m_notes;
    QSplitter* m_charts;
    QChartView* m_scoreView;
    QChartView* m_statusView;
    QPushButton* m_printButton;
    QPushButton* m_saveButton;
    bool m_restyling = false;
};

// Opens the current user's Progress window in the main window's client area, or brings forward
// and refreshes the one already open for that user.
ProgressWindow* openProgressWindow(QMdiArea* area, UiContext context);

} // namespace quorvel::ui
