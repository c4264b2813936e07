// The one QApplication of the units tests, made by the first test that needs widgets.
#pragma once

#include <QApplication>

namespace tubalon::test {

inline QApplication* App() {
    static int argc = 1;
    static char arg0[] = "units_tests";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

} // namespace tubalon::test
