// main() of the logic tests: a Qt core application, so paths and the SQL driver work.
#include <QCoreApplication>

#include <sys/stat.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Tests see the same locale on every machine.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    // And the usual umask, which would otherwise hide a file created readable by everyone.
    ::umask(022);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
