#pragma once

// A small document window for tests and pictures of printing and sending: a text box of lines
// that answers the document-window questions as the real windows do (kind, caption, lines, print
// font, saved file).

#include "common/document_window.h"

#include <QPlainTextEdit>

#include <string>

namespace quorvel::test {

class TestDocument final : public QPlainTextEdit, public ui::DocumentWindow
{
public:
    TestDocument(ui::DocumentKind kind, QString title, const QStringList& lines,
        std::string file = {}, QWidget* parent = nullptr)
        : QPlainTextEdit(parent)
        , m_kind(kind)
        , m_title(std::move(title))
        , m_file(std::move(file))
    {
        setPlainText(lines.join(QLatin1Char('\n')));
        setWindowTitle(m_title);
    }

    ui::DocumentKind documentKind() const override { return m_kind; }
    QString documentTitle() const override { return m_title; }
    QStringList printLines() const override { return toPlainText().split(QLatin1Char('\n')); }
    QFont printFont() const override
    {
        // Statistics print in a fixed-pitch font, the lists in a sans-serif one.
        QFont font(m_kind == ui::DocumentKind::Statistics ? QStringLiteral("Courier")
                                                          : QStringLiteral("Arial"));
        font.setStyleHint(
            m_kind == ui::DocumentKind::Statistics ? QFont::TypeWriter : QFont::SansSerif);
        font.setWeight(m_kind == ui::DocumentKind::ScrapPad ? QFont::Medium : QFont::Normal);
        return font;
    }
    std::string attachableFile() const override { return m_file; }
    bool mayClose() override { return true; }

    void setFile(std::string file) { m_file = std::move(file); }

private:
    ui::DocumentKind m_kind;
    QString m_title;
    std::string m_file;
};

} // namespace quorvel::test
