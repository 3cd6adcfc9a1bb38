#include "app/window/test_support/window_fixture.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace quillet::test {

WindowFixture::WindowFixture(bool pasteHint) {
    app().pasteHintShown = !pasteHint;
    window = std::make_unique<DesktopWindow>(app());
    window->ui().runDialog = [this](QDialog& dialog) -> int {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box) {
            ++dialogsShown;
            dialog.setResult(QDialog::Rejected);
            if (this->dialog) {
                dialog.show();
                this->dialog(dialog);
            }
            return dialog.result();
        }
        boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                         box->checkBox() ? box->checkBox()->text() : QString()});
        if (box->checkBox()) box->checkBox()->setChecked(tickCheckBoxes);
        return answer ? answer(boxes.back()) : QMessageBox::Ok;
    };
    window->resize(900, 640);
    window->show();
}

QAction* WindowFixture::menuEntry(const QString& caption) const {
    for (QAction* a : window->findChildren<QAction*>())
        if (a->text() == caption) return a;
    return nullptr;
}

void WindowFixture::choose(const QString& caption) const {
    QAction* a = menuEntry(caption);
    if (a) a->trigger();
}

void WindowFixture::typeInto(const char* box, const QString& text) const {
    auto* edit = find<QLineEdit>(box);
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, text);
}

void WindowFixture::replaceText(const char* box, const QString& text) const {
    auto* edit = find<QLineEdit>(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void WindowFixture::pressBuildCopy() const { QTest::mouseClick(find<QPushButton>("CopyButton"), Qt::LeftButton); }

GreyImage greyImage(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    GreyImage out(grey.width(), grey.height());
    for (int y = 0; y < grey.height(); ++y)
        std::copy_n(grey.constScanLine(y), grey.width(), out.pixels.begin() + ptrdiff_t(y) * grey.width());
    return out;
}

GreyImage WindowFixture::preview() const {
    auto* label = find<QLabel>("BarCode");
    if (!label->isVisible()) return {};
    return greyImage(label->grab().toImage()).padded(40);
}

}  // namespace quillet::test
