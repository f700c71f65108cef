#include "app/application.h"

#include <QApplication>

namespace quorvel::ui {
int runApplication(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
}
