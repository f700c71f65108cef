#include "users/user_selector.h"

#include "users/ask_adapters.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

namespace quorvel::ui {

BusyHook waitCursorHook()
{
    return [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
}

UserSelector::UserSelector(QComboBox* box, const StartupInfo& info, Asker& asker,
    std::function<int()> current, std::function<void(int)> apply, QObject* parent)
    : QObject(parent ? parent : box)
    , m_box(box)
    , m_info(info)
    , m_asker(asker)
    , m_current(std::move(current))
    , m_apply(std::move(apply))
{
    connect(box, &QComboBox::activated, this, &UserSelector::choose);
}

void UserSelector::choose(int slot)
{
    const int previous = m_current();
    run(slot, previous, travelDirection(slot, previous));
}

void UserSelector::run(int chosen, int previous, TravelDirection direction)
{
    const UserChoiceOutcome outcome
        = chooseUser(m_info, chosen, previous, direction, passwordAsk(m_asker, m_info));
    switch (outcome.result) {
    case UserChoiceResult::Apply:
        m_apply(outcome.slot);
        m_box->setCurrentIndex(m_current());
        Q_EMIT settled(true);
        return;
    case UserChoiceResult::Refused:
        m_box->setCurrentIndex(m_current());
        Q_EMIT settled(false);
        return;
    case UserChoiceResult::Skip:
        // The next try is queued so that it runs after the password dialog has gone.
        m_box->setCurrentIndex(outcome.slot);
        QTimer::singleShot(0, this,
            [this, next = outcome.slot, previous, direction]() { run(next, previous, direction); });
        return;
    }
}

} // namespace quorvel::ui
