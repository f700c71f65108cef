#pragma once

// Printing of the document windows (bee lists, the scrap pad, statistics windows) through Qt's
// print support: the print dialog, the page set-up dialog and a print preview. A document prints
// as plain lines in its print font at the size of the print options, at the left margin, as many
// lines to a page as the page is high; long lines are wrapped onto the next printed lines.

#include "common/ui_services.h"
#include "printing/print_settings.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;

namespace quorvel::ui {

class DocumentWindow;

// What a printout is made of, taken from the window when the job starts.
struct PrintJob
{
    QString title; // the job's name in the print queue and in messages
    QStringList lines;
    QFont font; // at the print size already
    int leftMargin = 0; // points
};
PrintJob printJobOf(const DocumentWindow& document, const PrintSettings& settings);

// Draws the job on the printer's pages (the printer's whole page range). Returns nothing on
// success, else the reason for "'%s' not printed. %s.".
const char* paintPrintJob(QPrinter& printer, const PrintJob& job);

class DocumentPrinter final : public QObject
{
    Q_OBJECT
public:
    DocumentPrinter(UiContext context, QWidget* owner);
    ~DocumentPrinter() override;

    // The printer with what was chosen in the dialogs so far; made on first use and kept for the
    // run.
    QPrinter& printer();
    bool hasPrinter() const { return m_printer != nullptr; }

    // "&Print...": the print dialog (no selection, no page range) and, when confirmed, the job.
    // True when the document was printed.
    bool print(const DocumentWindow& document);
    // "P&rint Setup...": the page set-up dialog for the printer.
    void printSetup();
    // The pages as they will print, in a preview window with its own print button.
    void preview(const DocumentWindow& document);
    // The job on `printer` without a dialog; a failure is shown under "Print Error". True when
    // printed.
    bool printTo(QPrinter& printer, const DocumentWindow& document);

private:
    UiContext m_ctx;
    QWidget* m_owner;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace quorvel::ui
