#include "gui/about_dialog.h"

#include "core/viewers/about_box.h"
#include "gui/control_texts.h"

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
    setWindowTitle(withoutAccessKey(document.text(1226)));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/kestrel.svg")).pixmap(64, 64));
    auto* title = new QLabel(QStringLiteral("Kestrel"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);

    auto* description = new QLabel(document.text(1267), this);
    description->setObjectName(QStringLiteral("Description_Label"));
    const Session& s = document.session();
    auto* version = new QLabel(
        QString::fromStdString(aboutVersionCaption(s.texts, s.locale.userDefaultLcid, s.locale.userDefaultLanguage))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
        this);
    version->setObjectName(QStringLiteral("Version"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(document.text(262), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    for (QLabel* label : {description, version})
        label->setAccessibleName(label->text());
    ok->setAccessibleName(withoutAccessKey(ok->text()));

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(description);
    texts->addSpacing(8);
    texts->addWidget(version);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(creditLabel("Easter_Egg", tr("Specification grid and generators: the Kestrel team"), this));
    bottom->addWidget(creditLabel("Easter_Egg_2", tr("Scope procedures: the Kestrel team"), this));
    bottom->addWidget(creditLabel("Easter_Egg_3", tr("Localization: Kestrel's translators"), this));
    bottom->addStretch(1);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(bottom);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kestrel::gui
