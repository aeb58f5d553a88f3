#pragma once
// What a screen reader is told while a test runs: every accessibility
// event Qt sends, recorded with the control it is about. Qt sends none
// until an assistive technology switches its accessibility on, which the
// offscreen platform never does: the spy switches it on through Qt's
// platform interface, as Qt's own tests do.
#include <QAccessible>
#include <QPointer>
#include <QString>

#include <gtest/gtest.h>

// Without Qt's platform headers (another build of Qt) nothing is heard,
// and a test that listens fails saying so.
#if __has_include(<qpa/qplatformaccessibility.h>)
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#define KESTREL_TESTS_HEAR_EVENTS 1
#endif

#include <vector>

namespace kestrel::test {

struct HeardEvent {
    QPointer<QObject> object;
    QAccessible::Event type;
    int child = -1;
    QString value; // a value change's new value
};

class AccessibilityEvents {
public:
    AccessibilityEvents()
    {
#ifndef KESTREL_TESTS_HEAR_EVENTS
        ADD_FAILURE() << "built without Qt's platform headers (qt6-base-private-dev): no event is heard";
#endif
        events().clear();
        previousActive_ = QAccessible::isActive();
        setActive(true);
        previous_ = QAccessible::installUpdateHandler(&record);
    }
    ~AccessibilityEvents()
    {
        QAccessible::installUpdateHandler(previous_);
        setActive(previousActive_);
        events().clear();
    }
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    void clear() { events().clear(); }
    // The events of one kind about `object`.
    std::vector<HeardEvent> about(const QObject* object, QAccessible::Event type) const
    {
        std::vector<HeardEvent> out;
        for (const HeardEvent& e : events())
            if (e.object == object && e.type == type)
                out.push_back(e);
        return out;
    }

private:
    static void setActive([[maybe_unused]] bool on)
    {
#ifdef KESTREL_TESTS_HEAR_EVENTS
        if (QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration())
            if (QPlatformAccessibility* accessibility = platform->accessibility())
                accessibility->setActive(on);
#endif
    }
    static std::vector<HeardEvent>& events()
    {
        static std::vector<HeardEvent> all;
        return all;
    }
    static void record(QAccessibleEvent* event)
    {

        HeardEvent heard{event->object(), event->type(), event->child(), {}};
        if (event->type() == QAccessible::ValueChanged)
            heard.value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
        events().push_back(heard);
    }

    QAccessible::UpdateHandler previous_ = nullptr;
    bool previousActive_ = false;
};

} // namespace kestrel::test
