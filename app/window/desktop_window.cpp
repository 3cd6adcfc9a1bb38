#include "app/window/desktop_window.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/automation/config_file.h"
#include "app/automation/message_file.h"
#include "app/commands/select_symbology.h"
#include "app/commands/state_changes.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/field_input.h"
#include "app/model/number_format.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"
#include "app/model/utf8_text.h"
#include "app/render/bar_pattern_file.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "app/render/build_report.h"
#include "app/render/message_report.h"
#include "app/render/paste.h"
#include "app/render/print_check.h"
#include "app/render/save_bar_code_command.h"
#include "app/window/command_equivalent_view.h"
#include "app/window/field_text.h"
#include "app/window/help_window.h"
#include "app/window/message_file_editor.h"
#include "app/window/option_dialogs.h"
#include "app/window/numbering_dialog.h"
#include "app/window/option_menu_table.h"
#include "app/window/picture_image.h"
#include "app/window/printer_dialog.h"
#include "app/window/raster_dialog.h"

namespace quillet {

namespace {

constexpr std::array<const char*, 3> kFimCaptions{"Postal &FIM-A Pattern", "Postal FIM-&B Pattern",
                                                  "Postal FIM-&C Pattern"};

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QString shown(const std::string& bytes, int characterSet, bool utf8 = false) {
    return QString::fromStdU32String(shownText(bytes, characterSet, utf8));
}

// The edit's cursor, counted in characters, as a position in the box's
// text, where a character beyond the 16-bit range takes two.
int boxPosition(const QLineEdit* box, size_t characters) {
    const std::u32string text = box->text().toStdU32String();
    return int(QString::fromStdU32String(text.substr(0, std::min(characters, text.size()))).size());
}

// Sets a box's text only when it differs, so the cursor stays where it was.
void setBoxText(QLineEdit* box, const QString& text) {
    if (box->text() == text) return;
    const int cursor = box->cursorPosition();
    box->setText(text);
    box->setCursorPosition(std::min(cursor, int(text.size())));
}

void setItems(QComboBox* box, const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& i : items) list << qs(i);
    QStringList current;
    for (int i = 0; i < box->count(); ++i) current << box->itemText(i);
    if (current == list) return;
    const QString text = box->currentText();
    box->clear();
    box->addItems(list);
    if (box->isEditable()) box->setEditText(text);
}

// The screen's physical resolution in device-independent pixels; 96 where
// the screen reports nothing sensible.
double screenDpi(const QWidget* w, bool horizontal) {
    const QScreen* screen = w->screen();
    if (!screen) return 96.0;
    const double dpi = horizontal ? screen->physicalDotsPerInchX() : screen->physicalDotsPerInchY();
    return dpi >= 30.0 && dpi <= 1200.0 ? dpi : 96.0;
}

}  // namespace

DesktopWindow::DesktopWindow(AppState& app)
    : app_(app),
      ui_(this),
      previousUi_(app.ui),
      previousClipboard_(app.clipboard),
      clipboard_(app.clipboard ? *app.clipboard : platform::clipboard(), app) {
    app_.ui = &ui_;
    app_.clipboard = &clipboard_;
    ui_.help = [this] { runHelpWindow(ui_, this, app_); };
    setObjectName("MainWindow");
    buildMenus();
    buildToolBar();
    setCentralWidget(buildFields());
    dimensions_ = new QLabel(this);
    dimensions_->setObjectName("EffectiveDimensions");
    statusBar()->addWidget(dimensions_, 1);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { refreshPaste(); });
    refresh();
    message_->setFocus();
}

DesktopWindow::~DesktopWindow() {
    app_.ui = previousUi_;
    app_.clipboard = previousClipboard_;
}

void DesktopWindow::run(const std::function<void()>& command) {
    ++running_;
    command();
    noteStateChanges(app_);
    --running_;
    refresh();
}

void DesktopWindow::refreshAfterChange() {
    if (running_ == 0) refresh();
}

void DesktopWindow::openConfiguration(const std::string& path) {
    run([&] { OpenConfiguration(app_, path); });
}

double DesktopWindow::previewDpiX() const { return screenDpi(this, true); }
double DesktopWindow::previewDpiY() const { return screenDpi(this, false); }

// ------------------------------------------------------------------ menus

QMenu* DesktopWindow::optionMenu(std::string_view menu, std::string_view submenu) {
    const std::pair<std::string, std::string> key{menu, submenu};
    if (auto found = optionMenus_.find(key); found != optionMenus_.end()) return found->second;
    QMenu* made = submenu.empty() ? menuBar()->addMenu(qs(menu)) : optionMenu(menu, {})->addMenu(qs(submenu));
    optionMenus_.emplace(key, made);
    return made;
}

void DesktopWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New", [this] { run([this] { startMainWindow(app_); }); });
    file->addAction("&Open Configuration...", QKeySequence::Open,
                    [this] { run([this] { OpenConfigurationCommand(app_); }); });
    file->addAction("&Save Configuration", QKeySequence::Save,
                    [this] { run([this] { SaveConfigurationCommand(app_); }); });
    file->addAction("Save Configuration &As...", [this] { run([this] { SaveConfigurationAs(app_); }); });
    file->addSeparator();
    saveBarCodeAction_ = file->addAction("Save &Bar Code As...", [this] { run([this] { MBSave_Click(app_); }); });
    saveBarCodeAction_->setObjectName("MBSave");
    saveDbpAction_ = file->addAction("Save .&dbp File As...", [this] { run([this] { dbpSave_Click(app_); }); });
    saveDbpAction_->setObjectName("dbpSave");
    addDialogAction(file, "Raster Image Properties...", "mnuRaster", runRasterPropertiesDialog);
    file->addSeparator();
    addDialogAction(file, "&Target Printer...", "MPrinter", runTargetPrinterDialog);
    addDialogAction(file, "Pr&inter Setup...", "PSetup", runPrinterSetup);
    printAction_ = addDialogAction(file, "&Print...", "PPrint", runPrintMarginsDialog);
    printAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    verifyAction_ = file->addAction("&Verify Before Printing", [this] { run([this] { CheckBeforePrinting(app_); }); });
    verifyAction_->setObjectName("MVerify");
    file->addSeparator();
    file->addAction("Open &Message File...", [this] { run([this] { OpenMessageFileCommand(app_); }); });
    closeMessageFileAction_ = file->addAction("&Close Message File", [this] { run([this] { CloseMessageFile(app_); }); });
    nextAction_ = file->addAction("&Next Message", [this] { run([this] { StepMessage(app_, 1); BuildCopy(app_); }); });
    prevAction_ = file->addAction("&Previous Message", [this] { run([this] { StepMessage(app_, -1); BuildCopy(app_); }); });
    addDialogAction(file, "&Incremental Numbering...", "IncNumbering", runNumberingDialog);
    file->addAction("&Read Message From File...", [this] { run([this] { readMessageFile(); }); })
        ->setObjectName("ReadMsgFile");
    addDialogAction(file, "&Edit Message File...", "EditMsgFile", runMessageFileEditor);
    file->addSeparator();
    file->addAction("E&xit", QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu("&Edit");
    copyAction_ = edit->addAction("&Build/Copy", QKeySequence(Qt::CTRL | Qt::Key_B), [this] { run([this] { BuildCopy(app_); }); });
    copyAction_->setObjectName("MCopy");
    pasteAction_ = edit->addAction("&Paste", QKeySequence::Paste, [this] { paste(); });
    pasteAction_->setObjectName("MPaste");
    edit->addSeparator();
    addDialogAction(edit, "Command &Equivalent...", "CommandEquivalent", runCommandEquivalentView);

    QMenu* symbology = menuBar()->addMenu("&Symbology");

    auto* codes = new QActionGroup(this);
    for (int code = 1; code <= kSymbologyCount; ++code) {
        QAction* a = symbology->addAction(qs(symbologyInfo(code).caption),
                                          [this, code] { run([this, code] { selectSymbology(app_, code); }); });
        a->setObjectName(QString("MCode%1").arg(code));
        a->setCheckable(true);
        codes->addAction(a);
        symbologyActions_[size_t(code - 1)] = a;
    }
    symbology->addSeparator();
    for (int index = 1; index <= 3; ++index) {
        QAction* a = symbology->addAction(kFimCaptions[size_t(index - 1)],
                                          [this, index] { run([this, index] { BuildFimPattern(app_, index); }); });
        a->setObjectName(QString("FIM%1").arg(index));
    }

    for (const OptionEntry& entry : optionMenuEntries()) {
        QMenu* menu = optionMenu(entry.place.menu, entry.place.submenu);
        if (entry.separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(qs(entry.caption), [this, e = &entry] { run([this, e] { e->run(app_); }); });
        a->setCheckable(true);
        optionActions_.emplace_back(a, &entry);
    }
    QMenu* options = optionMenu("&Options", {});
    options->addSeparator();
    for (const DialogEntry& entry : optionDialogEntries()) {
        QAction* a = options->addAction(qs(entry.caption),
                                        [this, e = &entry] { run([this, e] { e->open(ui_, this, app_); }); });
        a->setObjectName(entry.name);
        dialogActions_.emplace_back(a, &entry);
    }

    QMenu* help = menuBar()->addMenu("&Help");
    addDialogAction(help, "&Commands", "HelpCommands", runHelpWindow)->setShortcut(QKeySequence::HelpContents);
    addDialogAction(help, "&About Quillet...", "AboutBox", runAboutBox);
}

// The tool buttons are the menu entries themselves, so their check marks
// and enabled states follow the settings however they changed.
void DesktopWindow::buildToolBar() {
    QToolBar* tools = addToolBar("Tools");
    tools->setObjectName("ToolBar");
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(copyAction_);
    tools->addAction(pasteAction_);
    tools->addSeparator();
    for (const auto& [action, entry] : optionActions_)
        if (entry->place.submenu == "&Orientation") tools->addAction(action);
    tools->addSeparator();
    tools->addAction(printAction_);
    tools->addAction(verifyAction_);
}

void DesktopWindow::readMessageFile() {
    const auto path = ui_.fileDialog(false, "Read Bar Code Message From File", "All Files (*.*)|*.*",
                                     app_.settings.numbering.messageFilePath);
    if (path && !path->empty()) ReadMessageFromFile(app_, *path);
}

QAction* DesktopWindow::addDialogAction(QMenu* menu, const char* caption, const char* name, DialogOpener open) {
    QAction* a = menu->addAction(caption, [this, open] { run([this, open] { open(ui_, this, app_); }); });
    a->setObjectName(name);
    return a;
}

// ----------------------------------------------------------------- fields

QWidget* DesktopWindow::buildFields() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout;
    auto label = [&](const char* name) {
        auto* l = new QLabel(central);
        l->setObjectName(name);
        return l;
    };
    auto box = [&](const char* name) {
        auto* b = new QLineEdit(central);
        b->setObjectName(name);
        return b;
    };
    messageLabel_ = label("MessageLabel");
    message_ = box("Message");
    commentLabel_ = label("CommentLabel");
    commentLabel_->setText("Comment:");
    comment_ = box("Comment");
    supplementLabel_ = label("SupplementLabel");
    supplement_ = box("Supplement");
    widthLabel_ = label("WidthLabel");
    nbWidth_ = box("NBWidth");
    heightLabel_ = label("HeightLabel");
    bcHeight_ = box("BCHeight");
    ratioLabel_ = label("RatioLabel");
    ratioList_ = new QComboBox(central);
    ratioList_->setObjectName("RatioList");
    magnify_ = new QComboBox(central);
    magnify_->setObjectName("Magnify");
    magnify_->setEditable(true);
    magnify_->setInsertPolicy(QComboBox::NoInsert);
    checkLabel_ = label("CheckLabel");
    checkValue_ = label("CheckValue");
    totalLabel_ = label("Label8");
    totalLength_ = label("TotalLength");
    for (QWidget* w : {static_cast<QWidget*>(nbWidth_), static_cast<QWidget*>(bcHeight_),
                       static_cast<QWidget*>(magnify_->lineEdit())})
        w->installEventFilter(this);

    grid->addWidget(messageLabel_, 0, 0);
    grid->addWidget(message_, 0, 1, 1, 3);
    grid->addWidget(commentLabel_, 1, 0);
    grid->addWidget(comment_, 1, 1, 1, 3);
    grid->addWidget(supplementLabel_, 2, 0);
    grid->addWidget(supplement_, 2, 1, 1, 3);
    grid->addWidget(widthLabel_, 3, 0);
    grid->addWidget(nbWidth_, 3, 1);
    grid->addWidget(heightLabel_, 3, 2);
    grid->addWidget(bcHeight_, 3, 3);
    grid->addWidget(ratioLabel_, 4, 0);
    grid->addWidget(ratioList_, 4, 1);
    grid->addWidget(magnify_, 4, 1);
    grid->addWidget(checkLabel_, 5, 0);
    grid->addWidget(checkValue_, 5, 1);
    grid->addWidget(totalLabel_, 5, 2);
    grid->addWidget(totalLength_, 5, 3);

    copyButton_ = new QPushButton("Build/Copy", central);
    copyButton_->setObjectName("CopyButton");
    prevButton_ = new QPushButton("Prev", central);
    prevButton_->setObjectName("Prev");
    nextButton_ = new QPushButton("Next", central);
    nextButton_->setObjectName("Next");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton_);
    buttons->addWidget(prevButton_);
    buttons->addWidget(nextButton_);
    buttons->addStretch();
    grid->addLayout(buttons, 6, 0, 1, 4);

    insertHeading_ = label("AsciiHeading");
    insertList_ = new QListWidget(central);
    insertList_->setObjectName("AsciiMenu");
    auto* insertColumn = new QVBoxLayout;
    insertColumn->addWidget(insertHeading_);
    insertColumn->addWidget(insertList_);

    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addLayout(insertColumn);

    auto* preview = new QScrollArea(central);
    preview->setObjectName("Preview");
    preview->setBackgroundRole(QPalette::Base);
    auto* previewBox = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewBox);
    // A white margin wider than any symbology's quiet zone at screen
    // resolution, so the symbol can be read off the screen too.
    previewLayout->setContentsMargins(48, 48, 48, 48);
    barCode_ = new QLabel(previewBox);
    barCode_->setObjectName("BarCode");
    barCode_->hide();
    placeholder_ = new QLabel("Type a message, choose a symbology and press Build/Copy.", previewBox);
    placeholder_->setObjectName("Label10");
    previewLayout->addWidget(placeholder_, 0, Qt::AlignLeft | Qt::AlignTop);
    previewLayout->addWidget(barCode_, 0, Qt::AlignLeft | Qt::AlignTop);
    previewLayout->addStretch();
    preview->setWidget(previewBox);
    preview->setWidgetResizable(true);
    preview->setMinimumHeight(200);

    auto* column = new QVBoxLayout(central);
    column->addLayout(top);
    column->addWidget(preview, 1);

    connect(message_, &QLineEdit::textEdited, this, [this](const QString& t) { messageEdited(t); });
    connect(comment_, &QLineEdit::textEdited, this, [this](const QString& t) { commentEdited(t); });
    connect(supplement_, &QLineEdit::textEdited, this, [this](const QString& t) { supplementEdited(t); });
    connect(nbWidth_, &QLineEdit::textEdited, this, [this](const QString& t) { widthEdited(t); });
    connect(bcHeight_, &QLineEdit::textEdited, this,
            [this](const QString& t) { run([&] { setBCHeightText(app_, t.toStdString()); }); });
    connect(ratioList_, &QComboBox::activated, this, [this](int i) {
        if (!refreshing_) run([&] { selectRatio(app_, i); app_.settings.changed = true; });
    });
    connect(magnify_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& t) { run([&] { setMagnifyText(app_, t.toStdString(), true); }); });
    connect(magnify_, &QComboBox::activated, this, [this](int i) {
        if (!refreshing_) run([&] { setMagnifyText(app_, magnify_->itemText(i).toStdString(), true); });
    });
    connect(copyButton_, &QPushButton::clicked, this, [this] { run([this] { BuildCopy(app_); }); });
    connect(nextButton_, &QPushButton::clicked, nextAction_, &QAction::trigger);
    connect(prevButton_, &QPushButton::clicked, prevAction_, &QAction::trigger);
    connect(insertList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { insertCharacter(item); });
    return central;
}

void DesktopWindow::messageEdited(const QString& text) {
    const FieldEdit e = applyFieldEdit(app_.settings.message, app_.window.messageField, text.toStdU32String(),
                                       app_.settings.characterSet, app_.settings.utf8Text);
    run([&] { setMessage(app_, e.stored); });
    fieldEditDone(message_, e);
}

void DesktopWindow::commentEdited(const QString& text) {
    const FieldEdit e =
        applyFieldEdit(app_.settings.comment, app_.settings.comment, text.toStdU32String(), app_.settings.characterSet);
    run([&] { app_.settings.comment = e.stored; });
    fieldEditDone(comment_, e);
}

void DesktopWindow::supplementEdited(const QString& text) {
    const FieldEdit e = applyFieldEdit(app_.settings.supplement, app_.settings.supplement, text.toStdU32String(),
                                       app_.settings.characterSet);
    run([&] { setSupplement(app_, e.stored); });
    fieldEditDone(supplement_, e);
}

// An edit with characters the code page lacks was refused: the user is
// told which, rather than seeing them vanish.
void DesktopWindow::fieldEditDone(QLineEdit* box, const FieldEdit& e) {
    box->setCursorPosition(boxPosition(box, e.cursor));
    if (!e.outside.empty()) tellOutsideCodePage(e.outside);
}

void DesktopWindow::tellOutsideCodePage(const std::vector<char32_t>& outside) {
    if (!app_.ui) return;
    app_.ui->beep();
    app_.ui->messageBox(outsideCodePageText(outside), app_.appTitle, platform::Buttons::Ok);
}

// Typing a narrow width into a UPC/EAN symbol's box shows the
// magnification it amounts to (13 mils being 100 %).
void DesktopWindow::widthEdited(const QString& text) {
    run([&] {
        setNBWidthText(app_, text.toStdString());
        if (isUpcEan(app_.settings.symbology))
            setMagnifyText(app_, formatNumber(app_.settings.narrowWidth * 100.0 / 13.0 / 2.54, "##0"), false);
    });
}

// The character-insert list puts its character in place of the message
// box's selection.
void DesktopWindow::insertCharacter(QListWidgetItem* item) {
    const int code = item->data(Qt::UserRole).toInt();
    const std::string& stored = app_.settings.message;
    const size_t start = std::min(size_t(message_->hasSelectedText() ? message_->selectionStart()
                                                                     : message_->cursorPosition()),
                                  stored.size());
    const size_t length = std::min(size_t(message_->selectedText().size()), stored.size() - start);
    const std::string edited = stored.substr(0, start) + char(code) + stored.substr(start + length);
    run([&] { setMessage(app_, edited); });
    message_->setFocus();
    message_->setCursorPosition(int(start + 1));
}

// What Paste works on: the message box's selection, or the comment box
// when it was the last one with the focus.
void DesktopWindow::noteSelection() {
    MainWindow& w = app_.window;
    w.commentActive = focusWidget() == comment_;
    const int start = message_->hasSelectedText() ? message_->selectionStart() : message_->cursorPosition();
    const int length = int(message_->selectedText().size());
    // A UTF-8 message is stored as bytes, several to a character.
    const QString text = message_->text();
    const bool utf8 = app_.settings.utf8Text;
    w.messageSelStart = size_t(utf8 ? text.left(start).toUtf8().size() : start);
    w.messageSelLength = size_t(utf8 ? text.mid(start, length).toUtf8().size() : length);
}

// Text from another program goes the way typed text goes: characters the
// code page lacks are refused, except in a UTF-8 message.
void DesktopWindow::paste() {
    noteSelection();
    const bool utf8 = app_.settings.utf8Text && !app_.window.commentActive;
    const std::vector<char32_t> outside = clipboard_.takeDesktopText(utf8);
    if (!outside.empty()) {
        tellOutsideCodePage(outside);
        return;
    }
    run([this] { MPaste_Click(app_); });
}

bool DesktopWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys without a character (arrows, Delete) and shortcuts pass.
    if (text.isEmpty() || text.at(0).unicode() == 0x7F || (key->modifiers() & Qt::ControlModifier)) return false;
    const char16_t c = text.at(0).unicode();
    const char typed = c < 0x80 ? char(c) : '\x01';
    const bool isMagnify = watched == magnify_->lineEdit();
    const std::string current = static_cast<QLineEdit*>(watched)->text().toStdString();
    const KeyVerdict verdict = isMagnify ? magnifyFieldKey(app_.settings.symbology, current, typed)
                                         : dimensionFieldKey(current, typed);
    if (verdict == KeyVerdict::Accept) return false;
    if (verdict == KeyVerdict::RefuseWithBeep) ui_.beep();
    return true;
}

void DesktopWindow::closeEvent(QCloseEvent* event) {
    if (AskToSaveChanges(app_) == platform::Answer::Cancel) event->ignore();
    else event->accept();
    refresh();
}

// ---------------------------------------------------------------- drawing

void DesktopWindow::refresh() {
    refreshing_ = true;
    setWindowTitle(ansiText(app_.windowCaption));
    refreshFields();
    refreshLists();
    refreshMenus();
    refreshPreview();
    // [APPMINIMIZE] and [APPNORMAL]; a person minimising the window by hand
    // leaves the model alone.
    if (app_.window.minimised != shownMinimised_) {
        shownMinimised_ = app_.window.minimised;
        if (shownMinimised_) showMinimized();
        else showNormal();
    }
    refreshing_ = false;
}

void DesktopWindow::refreshFields() {
    const SymbolSettings& s = app_.settings;
    const MainWindow& w = app_.window;
    QFont font = w.fieldFontName == "Terminal" ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont();
    font.setBold(w.fieldFontBold);
    for (QWidget* box : {static_cast<QWidget*>(message_), static_cast<QWidget*>(comment_),
                         static_cast<QWidget*>(supplement_), static_cast<QWidget*>(insertList_)})
        box->setFont(font);

    messageLabel_->setText(ansiText(w.messageLabel));
    setBoxText(message_, shown(w.messageField, s.characterSet, s.utf8Text));
    setBoxText(comment_, shown(s.comment, s.characterSet));
    commentLabel_->setVisible(w.commentVisible);
    comment_->setVisible(w.commentVisible);
    supplementLabel_->setText(ansiText(w.supplementLabel));
    setBoxText(supplement_, shown(s.supplement, s.characterSet));
    // While PDF417 is current the box shows the generated codewords.
    supplement_->setReadOnly(s.symbology == 15);
    supplementLabel_->setVisible(w.supplementVisible);
    supplement_->setVisible(w.supplementVisible);

    widthLabel_->setText(ansiText(w.widthLabel));
    setBoxText(nbWidth_, ansiText(w.nbWidthText));
    widthLabel_->setVisible(w.widthVisible);
    nbWidth_->setVisible(w.widthVisible);
    heightLabel_->setText(ansiText(w.heightLabel));
    setBoxText(bcHeight_, ansiText(w.bcHeightText));
    heightLabel_->setVisible(w.heightVisible);
    bcHeight_->setVisible(w.heightVisible);

    ratioLabel_->setText(ansiText(w.ratioLabel));
    ratioLabel_->setVisible(w.ratioListVisible || w.magnifyVisible);
    ratioList_->setVisible(w.ratioListVisible);
    magnify_->setVisible(w.magnifyVisible);

    checkLabel_->setText(ansiText(w.checkLabel));
    checkValue_->setText(ansiText(app_.output.checkValue));
    checkLabel_->setVisible(w.checkVisible);
    checkValue_->setVisible(w.checkVisible);
    totalLabel_->setText(ansiText(w.totalLabel));
    totalLength_->setText(ansiText(app_.output.totalLength));

    prevButton_->setVisible(w.nextPrevVisible);
    nextButton_->setVisible(w.nextPrevVisible);
}

void DesktopWindow::refreshLists() {
    const MainWindow& w = app_.window;
    setItems(ratioList_, w.ratioList.empty() ? ratioListEntries() : w.ratioList);
    ratioList_->setCurrentIndex(w.ratioIndex);
    setItems(magnify_, w.magnifyList);
    if (magnify_->currentText() != qs(w.magnifyText)) magnify_->setEditText(qs(w.magnifyText));

    insertHeading_->setText(ansiText(w.insertHeading));
    insertHeading_->setVisible(w.insertListVisible);
    insertList_->setVisible(w.insertListVisible);
    if (shownInsertList_ != w.insertList || insertList_->count() != int(w.insertList.size())) {
        insertList_->clear();
        for (const InsertEntry& e : w.insertList) {
            const QString character =
                e.code < 32 ? QString() : shown(std::string(1, char(e.code)), app_.settings.characterSet);
            auto* item = new QListWidgetItem(
                QString("%1     %2         %3").arg(e.code, 3).arg(character, 1).arg(qs(e.name)), insertList_);
            item->setData(Qt::UserRole, e.code);
        }
        shownInsertList_ = w.insertList;
    }
}

void DesktopWindow::refreshMenus() {
    const SymbolSettings& s = app_.settings;
    const MainWindow& w = app_.window;
    if (s.symbology >= 1 && s.symbology <= kSymbologyCount) symbologyActions_[size_t(s.symbology - 1)]->setChecked(true);

    std::map<QMenu*, bool> anyShown;
    for (auto& [action, entry] : optionActions_) {
        const bool visible = !entry->shown || entry->shown(w.menus);
        action->setVisible(visible);
        action->setChecked(entry->checked(s));
        anyShown[optionMenu(entry->place.menu, entry->place.submenu)] |= visible;
    }
    for (auto& [action, entry] : dialogActions_) action->setVisible(entry->shown(w.menus));
    // A submenu with nothing to offer for this symbology is hidden with its entries.
    for (auto& [place, menu] : optionMenus_)
        if (!place.second.empty()) menu->menuAction()->setVisible(anyShown[menu]);

    refreshPaste();
    saveBarCodeAction_->setEnabled(app_.output.saveEnabled);
    saveDbpAction_->setEnabled(app_.output.dbpSaveEnabled);
    verifyAction_->setEnabled(app_.settings.symbolBuilt && app_.output.lastSymbol.has_value());
    closeMessageFileAction_->setEnabled(w.closeMsgFileEnabled);
    nextAction_->setEnabled(w.nextPrevVisible);
    prevAction_->setEnabled(w.nextPrevVisible);
}

// Paste takes the desktop's text, or what a command put on the clipboard.
void DesktopWindow::refreshPaste() {
    pasteAction_->setEnabled(clipboard_.text().has_value() || clipboard_.desktopHasText());
}

void DesktopWindow::refreshPreview() {
    const std::optional<BuiltSymbol>& symbol = app_.output.lastSymbol;
    const RecordedMetafile none;
    const RecordedMetafile& picture = symbol ? symbol->metafile : none;
    if (picture.records == shownRecords_ && !shownRecords_.empty()) return;
    shownRecords_ = picture.records;
    // The size that really prints, as --report gives it after a build.
    dimensions_->setText(qs(buildReport(app_, ReportFormat::Text)));
    const double ratio = devicePixelRatioF();
    QImage image = pictureImage(picture, previewDpiX() * ratio, previewDpiY() * ratio);
    if (image.isNull()) {
        barCode_->clear();
        barCode_->hide();
        placeholder_->show();
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    barCode_->setPixmap(pixmap);
    barCode_->setFixedSize(pixmap.deviceIndependentSize().toSize());
    barCode_->show();
    placeholder_->hide();
}

}  // namespace quillet
