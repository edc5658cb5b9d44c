// The window on the hospital's server: the widgets need an application
// object, the store one throwaway cluster for the whole program.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/pg_cluster.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new planek::test::pg_cluster);
    return RUN_ALL_TESTS();
}
