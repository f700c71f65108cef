#include "help/context_help_mode.h"

#include "common/ui_services.h"
#include "help/help_contexts.h"
#include "icons/icons.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace quorvel::ui {

namespace {

enum class HelpKey
{
    None,
    Index, // F1
    Mode, // Shift+F1
    Leave // Escape while the mode is on
};

HelpKey helpKey(const QKeyEvent& key, bool modeOn)
{
    if (key.key() == Qt::Key_F1)
        return (key.modifiers() & Qt::ShiftModifier) ? HelpKey::Mode : HelpKey::Index;
    if (modeOn && key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier)
        return HelpKey::Leave;
    return HelpKey::None;
}

} // namespace

ContextHelpMode::ContextHelpMode(HelpService& help, QObject* parent)
    : QObject(parent)
    , m_help(help)
{ }

ContextHelpMode::~ContextHelpMode()
{
    switchOff();
}

void ContextHelpMode::switchOn()
{
    if (m_on)
        return;
    m_on = true;
    QApplication::setOverrideCursor(icons::helpCursor());
}

void ContextHelpMode::switchOff()
{
    if (!m_on)
        return;
    m_on = false;
    QApplication::restoreOverrideCursor();
}

bool ContextHelpMode::intercept(int commandId)
{
    if (!m_on)
        return false;
    switchOff();
    m_help.showContext(help::helpContextForCommand(commandId));
    return true;
}

bool ContextHelpMode::helpOnHighlightedMenuItem()
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr)
        return false;
    QAction* action = menu->activeAction();
    bool isCommand = false;
    const int commandId = action ? action->data().toInt(&isCommand) : 0;
    if (!isCommand)
        return false;
    // Close the whole menu chain first, so the help window comes up in front of the main window
    // rather than under a menu that still holds the keyboard. A greyed item gets its help too.
    for (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr;
         popup = QApplication::activePopupWidget())
        popup->close();
    switchOff();
    m_help.showContext(help::helpContextForCommand(commandId));
    return true;
}

bool ContextHelpMode::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const HelpKey key = helpKey(*static_cast<QKeyEvent*>(event), m_on);
    if (key == HelpKey::None)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Claim the key before any shortcut of a window does, so that it arrives as a key press.
        event->accept();
        return true;
    }
    // A key press travels up from the focus widget to its parents; only its first delivery acts.
    switch (key) {
    case HelpKey::Index:
        if (!helpOnHighlightedMenuItem())
            m_help.showIndex();
        break;
    case HelpKey::Mode:
        switchOn();
        break;
    case HelpKey::Leave:
        switchOff();
        break;
    case HelpKey::None:
        break;
    }
    return true;
}

} // namespace quorvel::ui
