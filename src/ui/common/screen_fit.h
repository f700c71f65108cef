#pragma once

// Keeps the program's dialogs within the screen they open on. A dialog laid out taller or wider
// than the room the screen gives (a small screen, a large scale factor, a large font) would reach
// past the screen's edge, where its buttons can be neither seen nor clicked; it shows its contents
// in a scroll area instead, sized to the room. Dialogs that fit are left exactly as they are.

#include <QObject>
#include <QRect>

class QDialog;

namespace quorvel::ui {

// Fits one dialog into `room` (the screen's free area, in the dialog's own coordinates). True
// when its contents now scroll. Message boxes, file dialogs and wizards keep their own layouts;
// a dialog is fitted once.
bool fitDialogToScreen(QDialog& dialog, const QRect& room);

// Fits every dialog of the application as it is shown; installed once on the application.
class DialogScreenFit final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quorvel::ui
