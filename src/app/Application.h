#pragma once

#include <QApplication>
#include <functional>

namespace app {

// The application object. An error that escapes an event handler (a database or file
// fault) ends that handler and is shown with the platform's error text; the program
// goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    std::function<void(const QString&)> showError;
};

// Program entry: data module first, then the main window; runs until the main window
// closes. Returns the process exit code.
int run(int argc, char** argv);

} // namespace app
