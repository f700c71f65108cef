#pragma once

// The About box: the program's picture, name, version, copyright and build lines.

#include <QDialog>

namespace quorvel::ui {

// Shows the About box modally.
void runAboutBox(QWidget* parent);

class wspellapAboutDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit wspellapAboutDlg(QWidget* parent = nullptr);
};

} // namespace quorvel::ui
