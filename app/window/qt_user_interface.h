#pragma once
// The desktop's message boxes, questions, input boxes and file dialogs.
// Texts arrive in the ANSI code page, line ends as CR LF.
#include <functional>

#include "platform/user_interface.h"

class QDialog;
class QString;
class QWidget;

namespace quillet {

class QtUserInterface : public platform::UserInterface {
public:
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}

    platform::Answer messageBox(const std::string& text, const std::string& title, platform::Buttons buttons,
                                platform::Icon icon = platform::Icon::None) override;
    void beep() override;
    bool messageWithCheckBox(const std::string& text, const std::string& title,
                             const std::string& checkBox) override;
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& initial) override;
    std::optional<std::string> fileDialog(bool save, const std::string& title, const std::string& filter,
                                          const std::string& initial) override;

    void setParent(QWidget* parent) { parent_ = parent; }

    // Shows a dialog, set up in full, and returns its result code
    // (QDialog::exec unless replaced: tests answer without a person).
    std::function<int(QDialog&)> runDialog;
    // Opens the help; message boxes with a "Help..." button call it.
    std::function<void()> help;
    int show(QDialog& dialog);

private:
    QWidget* parent_;
};

// ANSI bytes as text for a Qt widget, CR LF and lone CRs as line ends.
QString ansiText(const std::string& ansi);

}  // namespace quillet
