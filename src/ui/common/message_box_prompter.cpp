#include "common/message_box_prompter.h"

#include "common/ui_text.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace quorvel::ui {

namespace {
// The title bar's icon and its three buttons, with some room.
constexpr int kTitleBarButtonsWidth = 140;
} // namespace

QString displayText(const std::string& text)
{
    QString s = toQString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

MessageAnswer MessageBoxPrompter::show(
    const std::string& text, const std::string& caption, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(toQString(caption));
    box.setText(displayText(text));
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // A short text under a long caption: the box is made wide enough for its caption, which the
    // window manager would otherwise cut ("Move d...egory.").
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth
        = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
            grid->rowCount(), 0, 1, grid->columnCount());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
}

} // namespace quorvel::ui
