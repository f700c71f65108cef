#include "common/character_validator.h"

namespace quorvel::ui {

QValidator::State CharacterValidator::validate(QString& input, int&) const
{
    for (const QChar ch : input) {
        if (ch.unicode() > 0x7F || !isAllowedCharacter(m_set, static_cast<char>(ch.unicode())))
            return Invalid;
    }
    return Acceptable;
}

void restrictLineEdit(QLineEdit* edit, CharacterSet set, int maxLength)
{
    edit->setMaxLength(maxLength);
    if (set != CharacterSet::Any)
        edit->setValidator(new CharacterValidator(set, edit));
}

} // namespace quorvel::ui
