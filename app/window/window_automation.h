#pragma once
// The window as the automation server: the command language on a socket,
// serviced from the Qt event loop, so a client's execute strings change
// the window as a person at it would. A client closing its conversation
// after [APPEXIT] closes the window without asking to save.
#include <QObject>

#include <functional>
#include <string>

#include "app/automation/automation_server.h"

class QSocketNotifier;

namespace quillet {

class DesktopWindow;

class WindowAutomation : public QObject {
public:
    // Listens on socketPath; when that fails the window runs without a
    // server and error() says why.
    WindowAutomation(DesktopWindow& window, AppState& app, const std::string& socketPath);
    ~WindowAutomation() override;

    bool listening() const { return bool(server_); }
    const std::string& error() const { return error_; }

private:
    void service();

    DesktopWindow& window_;
    AppState& app_;
    std::string error_;
    AutomationServerHandle server_;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> previousListener_;
};

}  // namespace quillet
