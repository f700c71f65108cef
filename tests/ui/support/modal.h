#pragma once

// Driving real modal dialogs in tests: `onNextModal` runs a step on the next modal widget once it
// is shown (the test's code before exec() returns), so a test can click through a dialog that
// the code under test opens itself.

#include <QWidget>
#include <functional>

namespace quorvel::test {

// Runs `step` with the next active modal widget other than `except` as soon as one appears
// (polled on the event loop, for at most `timeoutMs`).
void onNextModal(
    std::function<void(QWidget*)> step, QWidget* except = nullptr, int timeoutMs = 5000);

// The child of `root` with this object name and type, or nullptr.
template <typename T> T* child(QWidget* root, const char* name)
{
    return root->findChild<T*>(QString::fromLatin1(name));
}

} // namespace quorvel::test
