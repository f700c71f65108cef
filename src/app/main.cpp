// Quorvel: creates the real services and runs the main window.

#include "app/application.h"

int main(int argc, char** argv)
{
    return quorvel::ui::runApplication(argc, argv);
}
