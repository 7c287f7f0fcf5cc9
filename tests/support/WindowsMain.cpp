// main() of the window tests: a widgets application on the offscreen platform, in the
// station's own focus style.
#include "ui/FocusStyle.h"

#include <QApplication>

#include <sys/stat.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Tests see the same locale on every machine.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    // And the usual umask, which would otherwise hide a file created readable by everyone.
    ::umask(022);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dvq3::ApplyFocusStyle(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
