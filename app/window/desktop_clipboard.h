#pragma once
// The clipboard while the window runs: the in-process clipboard stays what
// every command reads and writes, and each change of it is published to
// the desktop clipboard, a built symbol with its PNG image, placeable
// metafile and message text.
#include <optional>
#include <string>
#include <vector>

#include "app/window/symbol_mime_data.h"
#include "platform/clipboard.h"

namespace quillet {

struct AppState;

class DesktopClipboard : public platform::Clipboard {
public:
    // authority keeps the contents; app gives the message and the target
    // printer's resolution at the time of a build.
    DesktopClipboard(platform::Clipboard& authority, const AppState& app) : authority_(authority), app_(app) {}

    void empty() override;
    void setMetafilePict(const gdi::MetafilePict& pict) override;
    void setText(const std::string& text) override;
    std::optional<gdi::MetafilePict> metafilePict() const override { return authority_.metafilePict(); }
    std::optional<std::string> text() const override { return authority_.text(); }

    // The desktop clipboard's text, in the ANSI code page (ours as it was
    // stored, another program's converted).
    std::optional<std::string> desktopText() const;
    bool desktopHasText() const;
    // The characters of another program's text that the code page lacks.
    std::vector<char32_t> desktopTextOutsideAnsi() const;
    // Paste reads the desktop's text: it becomes the in-process text, as
    // UTF-8 when asked (the message under the UTF-8 character set).
    void takeDesktopText(bool utf8 = false);

private:
    void publish();

    platform::Clipboard& authority_;
    const AppState& app_;
    ClipboardSymbol published_;  // what the desktop was last given
};

}  // namespace quillet
