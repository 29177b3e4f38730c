// A main window on real widgets with its core and real warning boxes,
// active and ready for the user's actions.
#pragma once

#include "uitest.h"
#include "workedexample.h"

#include "form/form.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace velmora::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        warnings.attach(form, &window);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* widget(std::string_view name) const { return window.widget(control(name)); }
    template <typename T> T* as(std::string_view name) const { return qobject_cast<T*>(widget(name)); }
    // What the core holds for a control.
    std::string core(std::string_view name) const { return form.fields().text(control(name)); }
    void type(std::string_view name, const QString& text) {
        auto* box = as<QLineEdit>(name);
        box->setFocus(Qt::OtherFocusReason); // an entry, as a click would be
        QCoreApplication::processEvents();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    void typeWorkedExample() {
        for (const auto& [name, value] : kWorkedPanel) {
            type(name, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
        }
    }
    void clickOn(std::string_view name) { QTest::mouseClick(widget(name), Qt::LeftButton); }
    // Offscreen, closing a box leaves no window active; a desktop would give
    // the activation back, as this does.
    void reactivate() {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ui::MessageBoxWarnings warnings;
    Form form{warnings};
    ui::MainWindow window{form};
};

} // namespace velmora::testing
