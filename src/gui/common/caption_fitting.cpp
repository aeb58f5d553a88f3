#include "gui/common/caption_fitting.h"

#include "gui/common/window_texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOption>
#include <QTabBar>
#include <QToolTip>
#include <QWindow>

#include <algorithm>

namespace kestrel::gui {
namespace {

// A caption settles for this many average characters when room is short.
constexpr int kShortCaptionCharacters = 12;
// The room the styles leave between a button's picture and its caption.
constexpr int kPictureSpacing = 4;
// Remembers a control's own minimum width, set when it was built, so that
// fitting again never lowers it.
constexpr const char* kDesignMinimum = "kestrelDesignMinimumWidth";

// Draws every one-line caption that does not fit its room cut short with
// "…": labels, check boxes, option and push buttons, frame titles.
class FittingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
        const QString& text, QPalette::ColorRole role) const override
    {
        const QFontMetrics metrics = painter->fontMetrics();
        if ((flags & Qt::TextWordWrap) || text.contains(u'\n') ||
            metrics.horizontalAdvance(withoutAccessKey(text)) <= rect.width()) {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
            return;
        }
        const QString cut = metrics.elidedText(text, Qt::ElideRight, rect.width(), Qt::TextShowMnemonic);
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, cut, role);
    }

    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override
    {
        // A push button centres its picture and caption together: a caption
        // wider than the button would push the picture out on the left, and
        // the buttons could no longer be told apart. The caption is cut
        // first, so the picture stays whole.
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element == CE_PushButtonLabel && button && !button->icon.isNull() && !button->text.isEmpty()) {
            const QFontMetrics& metrics = button->fontMetrics;
            const int room = button->rect.width() - button->iconSize.width() - kPictureSpacing;
            if (metrics.horizontalAdvance(withoutAccessKey(button->text)) > room) {
                QStyleOptionButton cut(*button);
                cut.text = metrics.elidedText(button->text, Qt::ElideRight, std::max(0, room), Qt::TextShowMnemonic);
                QProxyStyle::drawControl(element, &cut, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
        const QWidget* widget) const override
    {
        QRect r = QProxyStyle::subControlRect(control, option, part, widget);
        // A frame's title never reaches past the frame.
        if (control == CC_GroupBox && part == SC_GroupBoxLabel)
            r.setRight(std::min(r.right(), option->rect.right() - r.left() + option->rect.left()));
        return r;
    }
};

// The whole caption a control shows cut short at pos, or "" when it
// shows all of it.
QString cutCaption(QWidget* widget, const QPoint& pos)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->wordWrap() || label->text().isEmpty() || label->sizeHint().width() <= label->width())
            return {};
        return label->buddy() ? withoutAccessKey(label->text()) : label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text().isEmpty() || button->sizeHint().width() <= button->width())
            return {};
        return withoutAccessKey(button->text());
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        const int needed = frame->fontMetrics().horizontalAdvance(withoutAccessKey(frame->title())) + 20;
        if (frame->title().isEmpty() || needed <= frame->width() || pos.y() > frame->fontMetrics().height() + 4)
            return {};
        return withoutAccessKey(frame->title());
    }
    if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        const int tab = tabs->tabAt(pos);
        if (tab < 0)
            return {};
        const QString text = withoutAccessKey(tabs->tabText(tab));
        // A tab's text has its rectangle less the style's margins.
        const int margins = 2 * tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs);
        if (tabs->fontMetrics().horizontalAdvance(text) + margins <= tabs->tabRect(tab).width())
            return {};
        return text;
    }
    return {};
}

// Shows a cut caption whole when the pointer rests on it, above the
// control's own tooltip.
class CaptionTips : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString whole = cutCaption(widget, help->pos());
        if (whole.isEmpty())
            return false;
        QString own = widget->toolTip();
        if (auto* tabs = qobject_cast<QTabBar*>(widget))
            own = tabs->tabToolTip(tabs->tabAt(help->pos()));
        QToolTip::showText(help->globalPos(), own.isEmpty() ? whole : whole + u'\n' + own, widget);
        return true;
    }
};

int designMinimum(QWidget* widget)
{
    const QVariant stored = widget->property(kDesignMinimum);
    if (stored.isValid())
        return stored.toInt();
    const int own = widget->minimumWidth();
    widget->setProperty(kDesignMinimum, own);
    return own;
}

// Lets a caption control settle for a short caption: its minimum width is
// its chrome (indicator, margins) and a dozen characters of its text.
void shortenable(QWidget* widget, const QString& caption)
{
    const int floor = designMinimum(widget);
    const QFontMetrics metrics = widget->fontMetrics();
    const int wanted = widget->sizeHint().width();
    const int chrome = std::max(0, wanted - metrics.horizontalAdvance(withoutAccessKey(caption)));
    const int shortWidth = chrome + metrics.averageCharWidth() * kShortCaptionCharacters;
    widget->setMinimumWidth(std::max(floor, std::min(wanted, shortWidth)));
}

void fitFrame(QGroupBox* frame)
{
    const int floor = designMinimum(frame);
    if (frame->title().isEmpty() || !frame->layout())
        return;
    const QFontMetrics metrics = frame->fontMetrics();
    const int contents = frame->layout()->totalMinimumSize().width();
    const int title = std::min(metrics.horizontalAdvance(withoutAccessKey(frame->title())),
                          metrics.averageCharWidth() * kShortCaptionCharacters) +
        20;
    frame->setMinimumWidth(std::max({floor, contents, title}));
}

} // namespace

void refitFrames(QWidget* control)
{
    for (QWidget* widget = control->parentWidget(); widget; widget = widget->parentWidget())
        if (auto* frame = qobject_cast<QGroupBox*>(widget))
            fitFrame(frame);
}

void useFittingCaptions(QApplication& app)
{
    QApplication::setStyle(new FittingStyle(QApplication::style()->name()));
    app.installEventFilter(new CaptionTips(&app));
}

void fitCaptions(QWidget* root)
{
    // Children before their frames: a frame's minimum is its contents'.
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    std::reverse(widgets.begin(), widgets.end());
    for (QWidget* widget : widgets) {
        if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            // Every tab stays in sight, cut short, rather than behind arrows.
            tabs->setElideMode(Qt::ElideRight);
            tabs->setUsesScrollButtons(false);
            continue;
        }
        // Controls placed by hand keep the room they are given.
        if (!widget->parentWidget() || !widget->parentWidget()->layout())
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (!label->text().isEmpty() && !label->wordWrap() && !label->text().contains(u'\n'))
                shortenable(label, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!button->text().isEmpty())
                shortenable(button, button->text());
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            fitFrame(frame);
        }
    }
}

QSize naturalSizeHint(QWidget* window)
{
    const QList<QTabBar*> bars = window->findChildren<QTabBar*>();
    QList<Qt::TextElideMode> modes;
    for (QTabBar* bar : bars) {
        modes.push_back(bar->elideMode());
        bar->setElideMode(Qt::ElideNone);
    }
    // The layouts keep the sizes their controls asked for before.
    const auto askAgain = [&] {
        for (QTabBar* bar : bars)
            for (QWidget* widget = bar; widget && widget != window; widget = widget->parentWidget())
                widget->updateGeometry();
    };
    askAgain();
    const QSize hint = window->sizeHint();
    for (qsizetype i = 0; i < bars.size(); ++i)
        bars[i]->setElideMode(modes[i]);
    askAgain();
    return hint;
}

void resizeWithinScreen(QWidget* window, QSize preferred)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    QSize wanted = (preferred.isValid() ? preferred : naturalSizeHint(window))
                       .expandedTo(window->minimumSizeHint())
                       .expandedTo(window->minimumSize());
    if (!screen) {
        window->resize(wanted);
        return;
    }
    // Room for the frame the window system adds: known once the window
    // is shown, guessed before.
    QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) {
        const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) + 4;
        frame = QMargins(border, border + window->style()->pixelMetric(QStyle::PM_TitleBarHeight), border, border);
    }
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QRect area = screen->availableGeometry();
    wanted = wanted.boundedTo(area.size() - frameSize);
    window->resize(wanted);
    // The whole frame on the screen.
    QRect placed(window->pos(), wanted + frameSize);
    if (!area.contains(placed)) {
        placed.moveLeft(
            std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() + 1 - placed.width())));
        placed.moveTop(std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() + 1 - placed.height())));
        window->move(placed.topLeft());
    }
}

} // namespace kestrel::gui
