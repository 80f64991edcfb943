#pragma once

#include "app/application.h"

#include <QTest>

// The main() of a test of windows: the program's own application object (with its error box)
// instead of the plain one QTEST_MAIN would make.
#define HUSHMILL_GUI_TEST_MAIN(TestObject)                                                         \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        Application app(argc, argv);                                                               \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
