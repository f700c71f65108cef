#pragma once

namespace quorvel::ui {
// Runs the program: the installation folder becomes the current folder, then the splash, the
// main window and the start-up sequence. Returns the exit code.
int runApplication(int argc, char** argv);
}
