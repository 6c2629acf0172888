#pragma once

#include "scratchvolume.h"

#include <QApplication>
#include <QTest>

// The main() of a fault test: scratch volumes need their mount namespace before
// Qt starts its first thread.
#define LC_FAULT_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char** argv)                                                                                 \
    {                                                                                                               \
        lc::test::ScratchVolume::prepare();                                                                         \
        QApplication app(argc, argv);                                                                               \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                    \
        TestObject test;                                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                  \
        return QTest::qExec(&test, argc, argv);                                                                     \
    }
