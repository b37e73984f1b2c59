#pragma once

#include "app/scrivelapp.h"

#include <QTest>

// A test main that runs the test object under the program's own application object.
#define SCRIVEL_APP_TEST_MAIN(TestObject)                                                  \
    int main(int argc, char **argv)                                                        \
    {                                                                                      \
        ScrivelApp app(argc, argv);                                                        \
        TestObject test;                                                                   \
        return QTest::qExec(&test, argc, argv);                                            \
    }
