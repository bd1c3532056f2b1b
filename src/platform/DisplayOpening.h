#pragma once

#include <QApplication>

#include <memory>

// Creates the application, which opens the display. Without a reachable window system Qt would end the
// program with a fatal message that blames the installation; instead one plain line says that no display
// could be opened, and the program exits with status 1.
std::unique_ptr<QApplication> openDisplay(int& argc, char* argv[]);
