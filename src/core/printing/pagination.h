#pragma once

// How a document's lines land on printed pages. Only the measuring of a line is the printer's;
// the cutting into printed lines and pages is decided here, where it can be checked line by line.
//
// Nothing of a document is left out: a line wider than the page is wrapped onto further printed
// lines, however long it is, and a page holds exactly `linesPerPage` printed lines, so a document
// that fills its last page to the bottom ends there, without an empty page after it.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <vector>

namespace quorvel {

// How many leading characters of `text` fit across one printed line. It is asked about text that
// is not empty; an answer below 1 counts as 1, so that every printed line takes something.
using LineFit = std::function<qsizetype(QStringView text)>;

// A fit of a fixed number of characters (a fixed-pitch font, or a count chosen by the caller).
LineFit fitColumns(qsizetype columns);

// Tabs become spaces up to the next multiple of `tabSize` columns, as the windows show them.
QString expandTabs(const QString& line, int tabSize = 8);

// The printed lines of one document line: the line itself when it fits, else pieces that do,
// each broken after the last word that fits, or where the line ends for a word longer than the
// line. The spaces at a break are the only characters not printed. An empty line is one empty
// printed line; a surrogate pair is never split.
QStringList wrapLine(const QString& line, const LineFit& fit);

// Printed lines per page: the whole lines of height `lineHeight` that fit in `pageHeight`, at
// least one (a page smaller than a line still prints a line on each page rather than nothing).
int linesPerPage(double pageHeight, double lineHeight);

// The document's lines on pages of `linesPerPage` printed lines each (tabs expanded, long lines
// wrapped). Blank lines at the end of the document print nothing and start no page. A document
// with nothing to print is one empty page: the printout of an empty window is a blank sheet, as
// asked for, rather than no printout at all.
std::vector<QStringList> paginate(const QStringList& lines, int linesPerPage, const LineFit& fit);

} // namespace quorvel
