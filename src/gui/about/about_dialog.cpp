#include "gui/about/about_dialog.h"

#include "core/i18n/text_numbers.h"
#include "gui/common/caption_fitting.h"

#include "core/viewers/about_box.h"
#include "gui/common/control_texts.h"
#include "gui/common/picture_icon.h"
#include "gui/common/window_texts.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrel::gui {
namespace {

QLabel* creditLabel(const char* name, const QString& credit, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("\u2022"), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(credit);
    label->setAccessibleName(credit);
    label->setStyleSheet(QStringLiteral("color: #9aa1ab;"));
    return label;
}

} // namespace

AboutDialog::AboutDialog(const Document& document, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_About"));
    setWindowTitle(withoutAccessKey(document.text(kTextAboutKestrel)));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(pictureIcon(QStringLiteral("kestrel")).pixmap(64, 64));
    auto* title = new QLabel(document.text(kTextProgramName), this);
    title->setObjectName(QStringLiteral("Title_Label"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);

    const AboutBoxTexts texts = aboutBoxTexts(document.texts(), document.session().locale);
    auto* description = new QLabel(QString::fromStdString(texts.description), this);
    description->setObjectName(QStringLiteral("Description_Label"));
    auto* version = new QLabel(qtLines(texts.version), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(QString::fromStdString(texts.okCaption), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    for (QLabel* label : {description, version})
        label->setAccessibleName(label->text());
    ok->setAccessibleName(withoutAccessKey(ok->text()));

    auto* column = new QVBoxLayout;
    column->addWidget(title);
    column->addWidget(description);
    column->addSpacing(8);
    column->addWidget(version);
    column->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(column, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(creditLabel("Easter_Egg", document.text(kTextCreditGenerators), this));
    bottom->addWidget(creditLabel("Easter_Egg_2", document.text(kTextCreditScope), this));
    bottom->addWidget(creditLabel("Easter_Egg_3", document.text(kTextCreditLocalization), this));
    bottom->addStretch(1);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(bottom);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    fitCaptions(this);
    resizeWithinScreen(this);
}

} // namespace kestrel::gui
