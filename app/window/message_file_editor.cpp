#include "app/window/message_file_editor.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>
#include <fstream>

#include "app/automation/file_bytes.h"
#include "app/automation/message_file.h"
#include "app/model/app_state.h"
#include "app/model/utf8_text.h"
#include "app/render/message_report.h"
#include "app/window/qt_user_interface.h"
#include "platform/codepage.h"

namespace quillet {

namespace {

constexpr const char* kFilter = "All Files (*.*)|*.*";
constexpr size_t kLargestFile = size_t(64) << 20;

struct EditedFile {
    std::string path;
    std::string bytes;             // as read, or as last saved
    std::string lineEnd = "\r\n";  // the file's own
};

std::string lineEndOf(const std::string& bytes) {
    if (bytes.find("\r\n") != std::string::npos) return "\r\n";
    if (bytes.find('\n') != std::string::npos) return "\n";
    return "\r\n";
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

void runMessageFileEditor(QtUserInterface& ui, QWidget* parent, AppState& app) {
    EditedFile file;
    QDialog dialog(parent);
    dialog.setObjectName("MsgFileEditor");
    dialog.setWindowTitle("Message File Editor");
    auto* column = new QVBoxLayout(&dialog);
    auto* name = new QLabel(&dialog);
    name->setObjectName("FileName");
    auto* text = new QPlainTextEdit(&dialog);
    text->setObjectName("MessageLines");
    column->addWidget(name);
    column->addWidget(text);

    auto load = [&](const std::string& path) {
        std::string bytes, error;
        if (readFileBytes(path, kLargestFile, bytes, error) != FileRead::Ok) {
            ui.messageBox(fileErrorText(path, error.empty() ? "too large" : error), app.appTitle,
                          platform::Buttons::Ok);
            return;
        }
        file = {path, bytes, lineEndOf(bytes)};
        name->setText(QString::fromStdString(platform::ansiToUtf8(path)));
        text->setPlainText(ansiText(bytes));
    };
    // The bytes the box stands for: unchanged text keeps the file's bytes.
    auto save = [&]() -> bool {
        if (file.path.empty()) {
            auto chosen = ui.fileDialog(true, "Save Bar Code Message File", kFilter, "");
            if (!chosen || chosen->empty()) return false;
            file.path = *chosen;
        }
        const QString shown = text->toPlainText();
        std::string bytes = file.bytes;
        if (shown != ansiText(file.bytes)) {
            const std::string utf8 = shown.toStdString();
            if (const auto outside = platform::charactersOutsideAnsi(utf8); !outside.empty()) {
                reportMessageText(app, outsideCodePageText(outside));
                return false;
            }
            bytes.clear();
            for (char c : platform::utf8ToAnsi(utf8)) {
                if (c == '\n') bytes += file.lineEnd;
                else bytes += c;
            }
        }
        std::ofstream out(file.path, std::ios::binary | std::ios::trunc);
        out << bytes;
        if (!out.flush()) {
            ui.messageBox("Cannot write the file \"" + file.path + "\".", app.appTitle, platform::Buttons::Ok);
            return false;
        }
        file.bytes = bytes;
        name->setText(QString::fromStdString(platform::ansiToUtf8(file.path)));
        return true;
    };

    auto* row = new QHBoxLayout;
    QPushButton* open = button(&dialog, "cmdOpen", "&Open...");
    QPushButton* saveButton = button(&dialog, "cmdSave", "&Save");
    QPushButton* use = button(&dialog, "cmdUse", "Save and &Use");
    QPushButton* close = button(&dialog, "Command2", "Close");
    for (QPushButton* b : {open, saveButton, use, close}) row->addWidget(b);
    column->addLayout(row);
    QObject::connect(open, &QPushButton::clicked, &dialog, [&] {
        auto chosen = ui.fileDialog(false, "Open Bar Code Message File", kFilter, file.path);
        if (chosen && !chosen->empty()) load(*chosen);
    });
    QObject::connect(saveButton, &QPushButton::clicked, &dialog, [&] { save(); });
    QObject::connect(use, &QPushButton::clicked, &dialog, [&] {
        if (!save()) return;
        OpenMessageFile(app, file.path);
        dialog.accept();
    });
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);

    // The last message file, while it is still there.
    const std::string& last = app.settings.numbering.messageFilePath;
    if (!last.empty() && std::filesystem::is_regular_file(last)) load(last);
    ui.show(dialog);
}

}  // namespace quillet
