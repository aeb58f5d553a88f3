#pragma once
// The core's message boxes as Qt message boxes: the buttons, default
// button, icon and title each message asks for, the program's name as the
// default title, and the text exactly as the core wrote it. The buttons'
// captions and the default title are texts of the text table.
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"

#include <QPointer>
#include <QWidget>

namespace kestrel::gui {

class MessageBoxSink : public MessageSink {
public:
    // Boxes are shown over `parent` (or the active window when it is gone).
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) { }
    void setParent(QWidget* parent) { parent_ = parent; }
    // Where the captions come from: the program's texts once start-up has
    // read them (until then, and without a call, the English texts). The
    // lookup must outlive the sink's use of it.
    void setTexts(const TextLookup& texts) { texts_ = &texts; }

    MessageAnswer show(const Message& message) override;

private:
    // A text for a box's caption, English when `english` or when the lookup
    // has none.
    QString caption(int number, bool english) const;

    QPointer<QWidget> parent_;
    const TextLookup* texts_ = &englishLookup();
    // A box is being put together. A box that opens meanwhile (the lookup's
    // report of a missing text, through this sink) takes the English texts,
    // so a lookup cannot open boxes without end.
    bool building_ = false;
};

} // namespace kestrel::gui
