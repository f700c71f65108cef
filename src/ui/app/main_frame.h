#pragma once

// The main window: a multiple-document frame with the menu, two tool bars, the user and category
// boxes and the status bar. Commands reach it by id; each command with a handler runs it, and a
// command without one stays greyed.

#include "common/ui_services.h"
#include "dictionary/category_counts.h"

#include <QComboBox>
#include <QMainWindow>
#include <functional>
#include <map>
#include <optional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace quorvel {
class SettingsFile;
}

namespace quorvel::ui {

// The user box: while the scrap pad is open its list does not open and the focus goes back to
// the client area.
class UserComboBox final : public QComboBox
{
    Q_OBJECT
public:
    UserComboBox(Session& session, QWidget* parent)
        : QComboBox(parent)
        , m_session(session)
    { }
    void showPopup() override;

Q_SIGNALS:
    void focusRefused();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    Session& m_session;
};

class MainFrame final : public QMainWindow
{
    Q_OBJECT
public:
    MainFrame(UiContext context, SettingsFile& settings, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Registers what a command does; `enabled` (optional) adds a condition of its own.
    void setHandler(int id, std::function<void()> run, std::function<bool()> enabled = {});
    // Runs a command as the menu would (context help mode may take it instead).
    void runCommand(int id);
    QAction* action(int id) const;
    // Asked before any command runs; true takes the command (context help mode does).
    void setCommandInterceptor(std::function<bool(int)> intercept)
    {
        m_intercept = std::move(intercept);
    }

    // Places the window from the saved placement and shows it.
    void showWithSavedPlacement();
    // Re-evaluates which commands are enabled.
    void refreshCommandStates();
    // The list-status fields, the sound picture and the menu's sound text, read again (after a
    // list was made or a document window closed), and the commands' states.
    void refreshStatus();
    // Reloads the recent-file entries of the File menu.
    void refreshRecentFiles();
    // What choosing recent-file entry `index` (0 = the most recent) does.
    void setRecentFileHandler(std::function<void(int)> open) { m_openRecent = std::move(open); }
    // What files dropped onto the window do.
    void setFileDropHandler(std::function<void(const QStringList&)> open)
    {
        m_openDropped = std::move(open);
    }
    // The OVR field of the status bar: lit while the active document overwrites.
    void setOvertypeIndicator(bool on);
    SettingsFile& settings() { return m_settings; }

    QMdiArea* mdiArea() const { return m_mdi; }
    SettingsFile& settings() const { return m_settings; }
    QComboBox* userBox() const { return m_userBox; }
    QComboBox* categoryBox() const { return m_categoryBox; }
    // The text of a status-bar field by its object name, for tests and accessibility checks.
    QString statusText(const char* objectName) const;
    // The filter last chosen in the open dialog (1 = the first), which orders the filters at the
    // next start.
    int filterPosition() const { return m_filterPosition; }
    void setFilterPosition(int position) { m_filterPosition = position; }
    // Lets the close go ahead without the quit question (used once the question was answered
    // elsewhere, and by tests).
    void setQuitConfirmed(bool confirmed) { m_quitConfirmed = confirmed; }
    // The quit check run when the window is asked to close: false keeps the program open.
    void setQuitCheck(std::function<bool()> check) { m_canQuit = std::move(check); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBars();
    void buildStatusBar();
    // The boxes and the status bar follow the session's signals.
    void fillUserBox();
    void fillCategoryBox();
    // The dictionary changed: the words per category are counted again for the category box.
    void dictionaryChanged();
    void userChosen(int index);
    void categoryChosen(int index);
    void returnFocusToClient();
    void savePlacement();

    UiContext m_ctx;
    SettingsFile& m_settings;
    QMdiArea* m_mdi;
    UserComboBox* m_userBox = nullptr;
    QComboBox* m_categoryBox = nullptr;
    // Words per category of the dictionary as last counted; nothing when it could not be read
    // (then no category is marked empty). Counted again only when the session says the
    // dictionary changed.
    std::optional<CategoryCounts> m_categoryCounts;
    bool m_categoryCountsStale = true;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, std::function<bool()>> m_conditions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QList<QAction*> m_recentActions;
    QWidget* m_statusFields = nullptr;
    std::map<std::string, QLabel*> m_fields;
    QLabel* m_soundIcon = nullptr;
    QLabel* m_listIcon = nullptr;
    QLabel* m_languageIcon = nullptr;
    QLabel* m_capsLabel = nullptr;
    QLabel* m_overtypeLabel = nullptr;
    std::function<bool(int)> m_intercept;
    std::function<bool()> m_canQuit;
    std::function<void(int)> m_openRecent;
    std::function<void(const QStringList&)> m_openDropped;
    // Until the open dialog is used, the filter shown first stays first.
    int m_filterPosition = 1;
    bool m_quitConfirmed = false;
    bool m_capsOn = false;
    bool m_noteArmed = false;
};

} // namespace quorvel::ui
