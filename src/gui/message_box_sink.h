#pragma once
// The core's message boxes as Qt message boxes: the buttons, default
// button, icon and title each message asks for, the program's name as the
// default title, and the text exactly as the core wrote it.
#include "core/base/message_sink.h"

#include <QPointer>
#include <QWidget>

namespace kestrel::gui {

class MessageBoxSink : public MessageSink {
public:
    // Boxes are shown over `parent` (or the active window when it is gone).
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer show(const Message& message) override;

private:
    QPointer<QWidget> parent_;
};

// The title a message box without its own title carries.
QString defaultMessageTitle();

} // namespace kestrel::gui
