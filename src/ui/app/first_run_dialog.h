#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace quorvel::ui {

// Shown once, at the start that created the startup record: which English dialect everyone
// starts with, and whether the status bar shows the flag.
class FirstRunDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit FirstRunDialog(QWidget* parent = nullptr);
    bool usDialect() const;
    bool showFlag() const;

private:
    QRadioButton* m_us;
    QRadioButton* m_uk;
    QCheckBox* m_flag;
};

} // namespace quorvel::ui
