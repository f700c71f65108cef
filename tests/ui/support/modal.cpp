#include "modal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace quorvel::test {

void onNextModal(std::function<void(QWidget*)> step, QWidget* except, int timeoutMs)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal != except && modal->isVisible();
        if (found || clock.elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
        if (found)
            step(modal);
    });
    timer->start();
}

} // namespace quorvel::test
