#include "printing/pagination.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

// How far `fit` lets the first printed line of `text` run, kept inside the text, at least one
// character and never between the two halves of a surrogate pair.
qsizetype fittingLength(QStringView text, const LineFit& fit)
{
    qsizetype n = std::clamp<qsizetype>(fit(text), 1, text.size());
    if (n < text.size() && text[n - 1].isHighSurrogate() && text[n].isLowSurrogate())
        n += n > 1 ? -1 : 1;
    return n;
}

bool isBlank(const QString& line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

LineFit fitColumns(qsizetype columns)
{
    return [columns](QStringView) { return columns; };
}

QString expandTabs(const QString& line, int tabSize)
{
    if (!line.contains(QLatin1Char('\t')) || tabSize < 1)
        return line;
    QString out;
    out.reserve(line.size() + tabSize);
    for (const QChar c : line) {
        if (c == QLatin1Char('\t'))
            out.append(QString(tabSize - out.size() % tabSize, QLatin1Char(' ')));
        else
            out.append(c);
    }
    return out;
}

QStringList wrapLine(const QString& line, const LineFit& fit)
{
    QStringList pieces;
    QStringView rest(line);
    if (rest.isEmpty())
        return { QString() };
    while (!rest.isEmpty()) {
        const qsizetype n = fittingLength(rest, fit);
        if (n == rest.size()) {
            pieces.append(rest.toString());
            break;
        }
        // The last space up to the first character that did not fit (a break there loses only
        // the space), with a word before it on this line.
        qsizetype at = n;
        while (at > 0 && !rest[at].isSpace())
            --at;
        qsizetype end = at;
        while (end > 0 && rest[end - 1].isSpace())
            --end;
        if (end == 0) {
            // One word wider than the line: it is broken where the line ends.
            pieces.append(rest.first(n).toString());
            rest = rest.sliced(n);
            continue;
        }
        pieces.append(rest.first(end).toString());
        // The spaces at the break are not carried over to the next printed line.
        while (at < rest.size() && rest[at].isSpace())
            ++at;
        rest = rest.sliced(at);
    }
    return pieces;
}

int linesPerPage(double pageHeight, double lineHeight)
{
    if (!(lineHeight > 0) || !(pageHeight > 0))
        return 1;
    const double whole = std::floor(pageHeight / lineHeight);
    return whole < 1 ? 1 : static_cast<int>(std::min(whole, 1.0e6));
}

std::vector<QStringList> paginate(const QStringList& lines, int perPage, const LineFit& fit)
{
    perPage = std::max(perPage, 1);
    qsizetype count = lines.size();
    while (count > 0 && isBlank(lines[count - 1]))
        --count;
    std::vector<QStringList> pages(1);
    for (qsizetype i = 0; i < count; ++i) {
        for (QString& printed : wrapLine(expandTabs(lines[i]), fit)) {
            if (pages.back().size() == perPage)
                pages.emplace_back();
            pages.back().append(std::move(printed));
        }
    }
    return pages;
}

} // namespace quorvel
