#pragma once

#include "users/character_sets.h"

#include <QLineEdit>
#include <QValidator>

namespace quorvel::ui {

// Refuses, while typing, every character outside the box's set; a paste with such characters is
// refused whole.
class CharacterValidator final : public QValidator
{
public:
    CharacterValidator(CharacterSet set, QObject* parent)
        : QValidator(parent)
        , m_set(set)
    { }
    State validate(QString& input, int& pos) const override;

private:
    CharacterSet m_set;
};

// Sets the set and the length limit of a line edit.
void restrictLineEdit(QLineEdit* edit, CharacterSet set, int maxLength);

} // namespace quorvel::ui
