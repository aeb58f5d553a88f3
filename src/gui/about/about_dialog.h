#pragma once
// frm_About: what the program is, its version and the language settings
// in force. Its texts come from Gettext when it opens.
#include "gui/document/document.h"

#include <QDialog>

namespace kestrel::gui {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    AboutDialog(const Document& document, QWidget* parent);
};

} // namespace kestrel::gui
