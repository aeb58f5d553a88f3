// The yardstick of the window start-up benchmark: a plain QMainWindow with
// widgets like Kestrel's main window (nine tables of 26 columns on tabs, a
// text box, a menu, lists, buttons), no program behind it. It reports its
// first paint exactly as kestrel does (KESTREL_FIRST_PAINT_FILE).
#include "gui/common/first_paint.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTables = 9;
constexpr int kColumns = 26;
constexpr int kRows = 9;

QWidget* tablePage(int number, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* table = new QTableWidget(kRows, kColumns, page);
    table->setObjectName(QStringLiteral("Table%1").arg(number));
    QStringList rows;
    for (int row = 0; row < kRows; ++row)
        rows << QStringLiteral("Row %1").arg(row + 1);
    table->setVerticalHeaderLabels(rows);
    table->horizontalHeader()->setDefaultSectionSize(80);
    auto* buttons = new QVBoxLayout;
    for (const char* text : {"Insert", "Delete", "Copy", "x10", "Clear", "Clear all"})
        buttons->addWidget(new QPushButton(QString::fromLatin1(text), page));
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
    return page;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));

    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    for (const char* text : {"&Open…", "Open &Recent", "&Save", "Save &As…", "&Quit"})
        file->addAction(QString::fromUtf8(text));
    QMenu* edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
    for (const char* text : {"&Undo", "&Redo", "Use &English", "Edit &Localization", "Always on &Top"})
        edit->addAction(QString::fromUtf8(text))->setCheckable(true);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));

    auto* central = new QWidget(&window);
    auto* tabs = new QTabWidget(central);
    for (int i = 0; i < kTables; ++i)
        tabs->addTab(tablePage(i + 1, tabs), QStringLiteral("Function %1").arg(i + 1));
    auto* standard = new QComboBox(central);
    standard->addItems({QStringLiteral("3300"), QStringLiteral("7300"), QStringLiteral("7600")});
    auto* comments = new QPlainTextEdit(central);
    comments->setPlainText(QStringLiteral("Comments"));
    comments->setMaximumHeight(80);
    auto* create = new QPushButton(QStringLiteral("&Create"), central);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(standard);
    bottom->addStretch(1);
    bottom->addWidget(create);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(tabs, 1);
    layout->addWidget(comments);
    layout->addLayout(bottom);
    window.setCentralWidget(central);

    window.resize(900, 484);
    window.show();
    kestrel::gui::reportFirstPaintIfAsked(window);
    return QApplication::exec();
}
