#pragma once

#include "users/character_sets.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace quorvel::ui {

// A one-line input box with a caption, a prompt, Ok and Cancel; the line takes at most
// `maxLength` characters of its set.
class InputBox final : public QDialog
{
    Q_OBJECT
public:
    InputBox(const QString& caption, const QString& prompt, int maxLength, CharacterSet set,
        QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return m_edit; }

private:
    QLabel* m_prompt;
    QLineEdit* m_edit;
};

} // namespace quorvel::ui
