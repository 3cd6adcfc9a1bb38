#pragma once
// The main window. It draws the window model the command routines keep
// (fields, labels, lists, which menus apply, check marks, the last built
// symbol) and runs those routines from its menus, boxes and buttons, so a
// person at the window and an execute string reach the same code.
#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/model/main_window.h"
#include "app/model/symbology.h"
#include "app/window/desktop_clipboard.h"
#include "app/window/qt_user_interface.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

namespace quillet {

struct AppState;
struct DialogEntry;
struct FieldEdit;
struct OptionEntry;

class DesktopWindow : public QMainWindow {
public:
    // Becomes the application's user interface while it exists.
    explicit DesktopWindow(AppState& app);
    ~DesktopWindow() override;

    // Draws the whole model again.
    void refresh();
    // Runs a command routine, notes the change for every watcher, then
    // draws the model.
    void run(const std::function<void()>& command);
    // A change noted elsewhere (a client's execute): drawn unless a command
    // of the window's own is running, which draws when it ends.
    void refreshAfterChange();
    // Opens a configuration file as at start-up (its failures are reported).
    void openConfiguration(const std::string& path);

    QtUserInterface& ui() { return ui_; }
    DesktopClipboard& clipboard() { return clipboard_; }
    // The preview's resolution: the screen's, so the symbol shows at true size.
    double previewDpiX() const;
    double previewDpiY() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    QWidget* buildFields();
    void refreshFields();
    void refreshLists();
    void refreshMenus();
    void refreshPaste();
    void refreshPreview();
    void messageEdited(const QString& text);
    void commentEdited(const QString& text);
    void supplementEdited(const QString& text);
    void fieldEditDone(QLineEdit* box, const FieldEdit& e);
    void tellOutsideCodePage(const std::vector<char32_t>& outside);
    void widthEdited(const QString& text);
    void insertCharacter(QListWidgetItem* item);
    void paste();
    void readMessageFile();
    void noteSelection();
    QMenu* optionMenu(std::string_view menu, std::string_view submenu);
    using DialogOpener = void (*)(QtUserInterface&, QWidget* parent, AppState&);
    QAction* addDialogAction(QMenu* menu, const char* caption, const char* name, DialogOpener open);

    AppState& app_;
    QtUserInterface ui_;
    platform::UserInterface* previousUi_;
    platform::Clipboard* previousClipboard_;
    DesktopClipboard clipboard_;
    bool refreshing_ = false;
    int running_ = 0;                // commands of the window's own under way
    bool shownMinimised_ = false;

    QLabel *messageLabel_, *commentLabel_, *supplementLabel_;
    QLineEdit *message_, *comment_, *supplement_;
    QLabel *widthLabel_, *heightLabel_, *ratioLabel_;
    QLineEdit *nbWidth_, *bcHeight_;
    QComboBox *ratioList_, *magnify_;
    QLabel *checkLabel_, *checkValue_, *totalLabel_, *totalLength_;
    QPushButton *copyButton_, *prevButton_, *nextButton_;
    QLabel* insertHeading_;
    QListWidget* insertList_;
    std::vector<InsertEntry> shownInsertList_;
    QLabel *barCode_, *placeholder_;
    QLabel* dimensions_;  // the status bar's effective dimensions
    std::vector<uint8_t> shownRecords_;  // the picture the preview shows

    QAction *copyAction_, *pasteAction_, *saveBarCodeAction_, *saveDbpAction_, *closeMessageFileAction_;
    QAction *nextAction_, *prevAction_, *verifyAction_, *printAction_;
    std::array<QAction*, kSymbologyCount> symbologyActions_{};
    std::vector<std::pair<QAction*, const OptionEntry*>> optionActions_;
    std::vector<std::pair<QAction*, const DialogEntry*>> dialogActions_;
    std::map<std::pair<std::string, std::string>, QMenu*> optionMenus_;  // by menu and submenu
};

}  // namespace quillet
