#pragma once

#include "users/user_rules.h"

#include <QObject>
#include <functional>

class QComboBox;

namespace quorvel::ui {

class Asker;

// Choosing a user in a drop-down list of the ten slots: a free slot is applied at once, a
// protected one only with its password; a refusal shows the previous choice again, and Skip in
// the password dialog moves the list on one slot in the direction of travel and runs the rule
// again for that slot.
class UserSelector final : public QObject
{
    Q_OBJECT
public:
    // `current` reads the applied slot (what the list shows when nothing changes); `apply` applies
    // a slot.
    UserSelector(QComboBox* box, const StartupInfo& info, Asker& asker,
        std::function<int()> current, std::function<void(int)> apply, QObject* parent = nullptr);

    // Runs the rule as if the person had picked `slot` in the list.
    void choose(int slot);

Q_SIGNALS:
    // The rule has ended: the list shows the applied slot.
    void settled(bool applied);

private:
    void run(int chosen, int previous, TravelDirection direction);

    QComboBox* m_box;
    const StartupInfo& m_info;
    Asker& m_asker;
    std::function<int()> m_current;
    std::function<void(int)> m_apply;
};

} // namespace quorvel::ui
