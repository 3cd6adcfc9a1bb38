#pragma once
// Pieces every option dialog is made of: lists named after their control,
// and the accept and cancel buttons.
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QBoxLayout;
class QButtonGroup;
class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quillet {

// A drop-down list of the items with the current entry chosen.
QComboBox* choiceList(QWidget* parent, const char* name, const std::vector<std::string>& items, int current);

// A control array of option buttons, each named after the array and its
// index ("Option1_0" ...), one below the other in the layout; the group
// gives the chosen index.
QButtonGroup* optionButtons(QWidget* parent, QBoxLayout& layout, const char* name,
                            const std::vector<std::string>& captions, int chosen);

// Typed characters the box refuses are dropped with a beep; keys without
// a character (arrows, Delete) and shortcuts pass.
void filterTypedKeys(QLineEdit* box, std::function<bool(char)> accepted, std::function<void()> beep);

// `Command1` accepts the dialog unless the check refuses (the dialog then
// stays open); `Command2` cancels. Added at the bottom right of the layout.
struct DialogButtons {
    QPushButton* accept;
    QPushButton* cancel;
};
DialogButtons addDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& acceptCaption,
                               const QString& cancelCaption);

}  // namespace quillet
