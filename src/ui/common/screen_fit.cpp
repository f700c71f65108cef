#include "common/screen_fit.h"

#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWizard>

namespace quorvel::ui {

namespace {

constexpr const char* kFittedProperty = "quorvelScreenFitted";

// The room a title bar and borders take; the window manager adds them outside the dialog.
QSize decoration(const QDialog& dialog)
{
    if (const QWidget* parent = dialog.parentWidget()) {
        const QWidget* window = parent->window();
        const QSize frame = window->frameGeometry().size() - window->geometry().size();
        if (frame.width() > 0 && frame.height() > 0)
            return frame;
    }
    return { 16, 40 };
}

bool keepsOwnLayout(const QDialog& dialog)
{
    return qobject_cast<const QMessageBox*>(&dialog) || qobject_cast<const QFileDialog*>(&dialog)
        || qobject_cast<const QWizard*>(&dialog);
}

} // namespace

bool fitDialogToScreen(QDialog& dialog, const QRect& room)
{
    if (dialog.property(kFittedProperty).toBool() || keepsOwnLayout(dialog) || !dialog.layout()
        || room.isEmpty())
        return false;
    const QSize space = room.size() - decoration(dialog);
    const QSize wanted = dialog.layout()->totalSizeHint().expandedTo(dialog.minimumSizeHint());
    if (wanted.width() <= space.width() && wanted.height() <= space.height())
        return false;
    dialog.setProperty(kFittedProperty, true);

    // The dialog's own layout moves, with every widget in it, onto the scroll area's page. The
    // page belongs to the dialog from the start, so the widgets keep their names and their tab
    // order; the widget that was to have the focus is given it again, as a move takes it away.
    QWidget* focus = dialog.focusWidget();
    auto* scroller = new QScrollArea(&dialog);
    scroller->setObjectName(QStringLiteral("screenFitScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    auto* page = new QWidget(scroller->viewport());
    page->setObjectName(QStringLiteral("screenFitPage"));
    page->setLayout(dialog.layout());
    scroller->setWidget(page);
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);

    // As large as the page where the screen allows, with room for the scroll bars it needs.
    const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &dialog);
    QSize size = page->sizeHint();
    if (size.height() > space.height())
        size.rwidth() += bar;
    if (size.width() > space.width())
        size.rheight() += bar;
    size = size.boundedTo(space);
    dialog.setMinimumSize(QSize(0, 0));
    dialog.resize(size);
    // A dialog being shown has shown its children already: the new ones are shown here, and the
    // dialog then centres itself over its window at the new size, inside the screen.
    if (dialog.isVisible())
        scroller->show();
    return true;
}

bool DialogScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        if (auto* dialog = qobject_cast<QDialog*>(watched)) {
            if (const QScreen* screen = dialog->screen())
                fitDialogToScreen(*dialog, screen->availableGeometry());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorvel::ui
