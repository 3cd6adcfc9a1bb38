#include "app/window/window_automation.h"

#include <QSocketNotifier>
#include <QTimer>

#include "app/model/app_state.h"
#include "app/window/desktop_window.h"

namespace quillet {

WindowAutomation::WindowAutomation(DesktopWindow& window, AppState& app, const std::string& socketPath)
    : QObject(&window),
      window_(window),
      app_(app),
      server_(listenAutomationServer(app, ServerOptions{socketPath}, error_)),
      previousListener_(app.watch.listener) {
    // Whatever a client's execute changed is drawn when it has run.
    app_.watch.listener = [this] { window_.refreshAfterChange(); };
    if (!server_) return;
    notifier_ = new QSocketNotifier(automationServerDescriptor(*server_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { service(); });
}

WindowAutomation::~WindowAutomation() { app_.watch.listener = previousListener_; }

void WindowAutomation::service() {
    // A message box shown by an execute runs the event loop; the next
    // execute waits until this one has finished instead of waking it over
    // and over.
    notifier_->setEnabled(false);
    const ServiceResult result = serviceAutomationServer(*server_);
    notifier_->setEnabled(true);
    // The close after [APPEXIT] has cleared the changed flag: nothing asks
    // to save. The window closes once this notification has returned.
    if (result == ServiceResult::Ended) QTimer::singleShot(0, &window_, [w = &window_] { w->close(); });
}

}  // namespace quillet
