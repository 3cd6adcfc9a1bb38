#pragma once
// The clipboard. Headless runs and tests use the in-process clipboard; the
// desktop window publishes to the desktop clipboard as well.
#include <optional>
#include <string>

#include "platform/metafile_pict.h"

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard; a metafile it owned is deleted.
    virtual void empty() = 0;
    // Takes ownership of the picture's metafile handle.
    virtual void setMetafilePict(const gdi::MetafilePict& pict) = 0;
    virtual void setText(const std::string& text) = 0;
    virtual std::optional<gdi::MetafilePict> metafilePict() const = 0;
    virtual std::optional<std::string> text() const = 0;
};

// Holds one metafile picture and one text, like the system clipboard.
class InProcessClipboard : public Clipboard {
public:
    ~InProcessClipboard() override;
    void empty() override;
    void setMetafilePict(const gdi::MetafilePict& pict) override;
    void setText(const std::string& text) override;
    std::optional<gdi::MetafilePict> metafilePict() const override { return pict_; }
    std::optional<std::string> text() const override { return text_; }

private:
    std::optional<gdi::MetafilePict> pict_;
    std::optional<std::string> text_;
};

// The process's clipboard (an InProcessClipboard unless replaced).
Clipboard& clipboard();
void setClipboard(Clipboard* replacement);

}  // namespace platform
