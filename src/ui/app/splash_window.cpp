#include "app/splash_window.h"

#include "common/ui_text.h"
#include "icons/icons.h"
#include "strings/app_strings.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvel::ui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splashWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(440, 360);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("splashPicture"));
    const QPixmap art = icons::splashPicture();
    picture->setPixmap(art);
    picture->setScaledContents(true);
    picture->setFixedSize(440, 360);
    // The caption sits on the picture's bottom strip, inside the border.
    auto* caption = new QLabel(uiText(strings::kSplashCaption), this);
    caption->setObjectName(QStringLiteral("splashCaption"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(2, 360 - 28, 436, 24);
    caption->setStyleSheet(QStringLiteral("color: white; background: rgba(0,0,0,90);"));
    auto* border = new QFrame(this);
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    border->setLineWidth(2);
    border->setGeometry(0, 0, 440, 360);
    border->setAttribute(Qt::WA_TransparentForMouseEvents);
    QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
}

void SplashWindow::showNow()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(r.center() - rect().center());
    }
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace quorvel::ui
