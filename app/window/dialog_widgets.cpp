#include "app/window/dialog_widgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace quillet {

namespace {

class TypedKeyFilter : public QObject {
public:
    TypedKeyFilter(QObject* parent, std::function<bool(char)> accepted, std::function<void()> beep)
        : QObject(parent), accepted_(std::move(accepted)), beep_(std::move(beep)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || text.at(0).unicode() == 0x7F || (key->modifiers() & Qt::ControlModifier)) return false;
        const char16_t c = text.at(0).unicode();
        if (accepted_(c < 0x80 ? char(c) : '\x01')) return false;
        beep_();
        return true;
    }

private:
    std::function<bool(char)> accepted_;
    std::function<void()> beep_;
};

}  // namespace

QComboBox* choiceList(QWidget* parent, const char* name, const std::vector<std::string>& items, int current) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const std::string& item : items) list->addItem(QString::fromStdString(item));
    list->setCurrentIndex(current);
    return list;
}

QButtonGroup* optionButtons(QWidget* parent, QBoxLayout& layout, const char* name,
                            const std::vector<std::string>& captions, int chosen) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < int(captions.size()); ++i) {
        auto* button = new QRadioButton(QString::fromStdString(captions[size_t(i)]), parent);
        button->setObjectName(QString("%1_%2").arg(name).arg(i));
        group->addButton(button, i);
        layout.addWidget(button);
    }
    if (QAbstractButton* b = group->button(chosen)) b->setChecked(true);
    return group;
}

void filterTypedKeys(QLineEdit* box, std::function<bool(char)> accepted, std::function<void()> beep) {
    box->installEventFilter(new TypedKeyFilter(box, std::move(accepted), std::move(beep)));
}

DialogButtons addDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& acceptCaption,
                               const QString& cancelCaption) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    DialogButtons b{new QPushButton(acceptCaption, &dialog), new QPushButton(cancelCaption, &dialog)};
    b.accept->setObjectName("Command1");
    b.cancel->setObjectName("Command2");
    b.accept->setDefault(true);
    row->addWidget(b.accept);
    row->addWidget(b.cancel);
    layout.addLayout(row);
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return b;
}

}  // namespace quillet
