#include "printing/document_printer.h"

#include "app/session.h"
#include "common/document_window.h"
#include "common/ui_text.h"
#include "platform/services.h"
#include "printing/pagination.h"
#include "strings/printing_strings.h"

#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace quorvel::ui {

namespace {

// The job's title as the print queue and the messages show it.
constexpr int kTitleLength = 260;

// How many leading characters of a text fit in `width` device pixels: the longest prefix whose
// drawn width is within it (widths grow with the text, so a binary search finds it).
LineFit measuredFit(const QFontMetricsF& metrics, qreal width)
{
    return [metrics, width](QStringView text) -> qsizetype {
        qsizetype fits = 1;
        qsizetype low = 1, high = text.size();
        while (low <= high) {
            const qsizetype mid = low + (high - low) / 2;
            if (metrics.horizontalAdvance(text.first(mid).toString()) <= width) {
                fits = mid;
                low = mid + 1;
            } else {
                high = mid - 1;
            }
        }
        return fits;
    };
}

// Why a job that Qt reports as failed did not print.
const char* failureOf(const QPrinter& printer)
{
    return printer.printerState() == QPrinter::Aborted ? strings::kPrintCanceled
                                                       : strings::kPrintFailed;
}

} // namespace

PrintJob printJobOf(const DocumentWindow& document, const PrintSettings& settings)
{
    PrintJob job;
    job.title = document.documentTitle().left(kTitleLength);
    job.lines = document.printLines();
    job.font = document.printFont();
    job.font.setPointSize(
        printPointSize(settings.size, document.documentKind() == DocumentKind::Statistics));
    job.leftMargin = std::clamp(settings.leftMargin, kMinLeftMargin, kMaxLeftMargin);
    return job;
}

const char* paintPrintJob(QPrinter& printer, const PrintJob& job)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return failureOf(printer);
    // Paper is white whatever the desktop's colours are.
    painter.setPen(Qt::black);
    painter.setFont(QFont(job.font, painter.device()));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal margin = job.leftMargin * printer.resolution() / 72.0;
    const qreal lineHeight = metrics.lineSpacing();
    const auto pages = paginate(job.lines, linesPerPage(page.height(), lineHeight),
        measuredFit(metrics, std::max<qreal>(page.width() - margin, 1)));
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            return failureOf(printer);
        }
        for (qsizetype i = 0; i < pages[p].size(); ++i)
            painter.drawText(QPointF(margin, static_cast<qreal>(i) * lineHeight + metrics.ascent()),
                pages[p][i]);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error
        || printer.printerState() == QPrinter::Aborted)
        return failureOf(printer);
    return nullptr;
}

DocumentPrinter::DocumentPrinter(UiContext context, QWidget* owner)
    : QObject(owner)
    , m_ctx(context)
    , m_owner(owner)
{ }

DocumentPrinter::~DocumentPrinter() = default;

QPrinter& DocumentPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool DocumentPrinter::print(const DocumentWindow& document)
{
    QPrinter& p = printer();
    p.setDocName(document.documentTitle().left(kTitleLength));
    p.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&p, m_owner);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
        | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printTo(p, document);
}

void DocumentPrinter::printSetup()
{
    QPageSetupDialog dialog(&printer(), m_owner);
    dialog.exec();
}

void DocumentPrinter::preview(const DocumentWindow& document)
{
    const PrintJob job = printJobOf(document, m_ctx.session.printSettings);
    QPrinter& p = printer();
    p.setDocName(job.title);
    p.setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog dialog(&p, m_owner);
    dialog.setObjectName(QStringLiteral("printPreview"));
    dialog.setWindowTitle(
        uiText(strings::kPrintPreviewCaption).replace(QStringLiteral("%s"), job.title));
    if (m_owner)
        dialog.resize(m_owner->size() * 4 / 5);
    // The preview draws its pages, and its print button prints them, through this.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this, &job](QPrinter* target) {
        if (const char* reason = paintPrintJob(*target, job))
            m_ctx.prompter.show(notPrintedText(job.title.toStdString(), reason),
                strings::kPrintErrorCaption, MessageIcon::Exclamation);
    });
    dialog.exec();
}

bool DocumentPrinter::printTo(QPrinter& target, const DocumentWindow& document)
{
    const PrintJob job = printJobOf(document, m_ctx.session.printSettings);
    const char* reason = paintPrintJob(target, job);
    if (!reason)
        return true;
    m_ctx.prompter.show(notPrintedText(job.title.toStdString(), reason),
        strings::kPrintErrorCaption, MessageIcon::Exclamation);
    return false;
}

} // namespace quorvel::ui
