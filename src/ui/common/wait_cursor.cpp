#include "common/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace quorvel::ui {

BusyHook waitCursorHook()
{
    return [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
    };
}

} // namespace quorvel::ui
