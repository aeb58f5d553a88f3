#pragma once
// What the viewer and wizard tests share: the English texts, a recording
// message sink, the viewers' shared state, the demo Tessel installation,
// and a scratch per-user settings store so that no test touches the
// user's own.
#include "core/i18n/text_lookup.h"
#include "core/viewers/viewer_state.h"
#include "gui/help/viewer_context.h"
#include "support/recording_sink.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kestrel::test {

inline QString demoTessel(const QString& folder)
{
    return QDir(QStringLiteral(KESTREL_SOURCE_DIR "/data/demo-tessel")).filePath(folder);
}

class ViewerFixture : public ::testing::Test {
protected:
    ViewerFixture()
    {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    gui::ViewerContext context() { return {texts, sink, demoTessel("help"), demoTessel("acc"), state}; }

    // Lets queued events (first activation, layouts) run.
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // Keys go to the active window: after a modal dialog the offscreen
    // platform does not always give the activation back.
    static void activate(QWidget& window)
    {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A control by its name. A missing one ends the test with a failure
    // that names it, where the test would crash on using it.
    template <typename Widget> static Widget* child(QWidget& window, const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        if (!widget)
            throw std::runtime_error(std::string("no control named ") + name);
        return widget;
    }

    QTemporaryDir settingsDir;
    EnglishLookup texts;
    RecordingSink sink;
    ViewerState state;
};

} // namespace kestrel::test
