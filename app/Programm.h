// The run of the program: Qt and its German dialogs, the service ports, the main window
// whose start-up logs the user in, the event loop, and the release of every server
// object while the libraries that made them are still there.
#pragma once

#include <functional>

namespace vovida {

// Runs the program and gives its exit status. gestartet runs once the application
// exists, before the start-up (a test drives the windows from there).
int VovidaStarten(int argc, char** argv, const std::function<void()>& gestartet = {});

}  // namespace vovida
