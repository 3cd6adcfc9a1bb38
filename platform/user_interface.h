#pragma once
// Message boxes, questions, input boxes and file dialogs. The headless
// implementation writes each message box as one line on standard error.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Question, Exclamation, Critical };

struct MessageRecord {
    std::string title;
    std::string text;  // exact bytes, line ends included
    Icon icon = Icon::None;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                              Icon icon = Icon::None) = 0;
    virtual void beep() = 0;
    // An OK message with a check box such as "Do not show this message
    // again."; returns whether the box was ticked. Without a check box of
    // its own an interface shows a plain message, never ticked.
    virtual bool messageWithCheckBox(const std::string& text, const std::string& title,
                                     const std::string& checkBox) {
        (void)checkBox;
        messageBox(text, title, Buttons::Ok);
        return false;
    }
    // Returns the typed text; empty when cancelled.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& initial) = 0;
    // Returns the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> fileDialog(bool save, const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& initial) = 0;
};

// Writes "title: text" (line ends shown as spaces) to standard error,
// answers OK / Yes, gives empty input and cancels file dialogs. It also
// keeps every message for tests to read.
class HeadlessUserInterface : public UserInterface {
public:
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon = Icon::None) override;
    void beep() override { ++beeps; }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> fileDialog(bool, const std::string&, const std::string&,
                                          const std::string&) override {
        return std::nullopt;
    }

    std::vector<MessageRecord> messages;
    int beeps = 0;
    bool echo = true;  // write to standard error
    // Answers for questions; the default is OK / Yes.
    std::function<Answer(const std::string& text, Buttons)> answer;
};

// The line a message box becomes on standard error: line ends as spaces.
std::string messageLine(const std::string& title, const std::string& text);

}  // namespace platform
