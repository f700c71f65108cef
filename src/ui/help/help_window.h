#pragma once

// The help window: the program's HTML help pages, opened by context number, with Back, Forward
// and Contents. It is a top-level window of its own, so help stays open beside the work.

#include "common/ui_services.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace quorvel::ui {

class HelpWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the page of a context number; a number without a page opens the contents.
    void showContext(int context);
    // The context number of the page shown, or 0 when none is.
    int currentContext() const;

    // The address of the page of a context number, or of the contents when there is none.
    static QUrl pageUrl(int context);
    static bool hasPage(int context);

private:
    void updateTitle();

    QTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_forward;
};

// The help service of the program: one help window, made when help is first asked for.
class HelpBrowser final : public QObject, public HelpService
{
    Q_OBJECT
public:
    // The help window belongs to `owner` (the main window), or to the modal dialog in front when
    // help is asked for while one is open, so that it can be read and used meanwhile.
    explicit HelpBrowser(QWidget* owner = nullptr);
    ~HelpBrowser() override;
    void setOwner(QWidget* owner) { m_owner = owner; }

    void showContext(int context) override;
    void showIndex() override;
    void showUsingHelp() override;

    // The window, when it exists.
    HelpWindow* window() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpWindow* windowFor(QWidget* modal);
    void moveWindow(QWidget* parent);

    QPointer<QWidget> m_owner;
    QPointer<HelpWindow> m_window;
    QPointer<QWidget> m_watched; // the modal dialog the window was handed to
};

} // namespace quorvel::ui
