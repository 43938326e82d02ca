// Test entry point: one QApplication (offscreen unless told otherwise) and
// GStreamer, as the program itself has them.

#include <gtest/gtest.h>
#include <gst/gst.h>

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QCoreApplication::setApplicationName(QStringLiteral("Orvalo"));
    QApplication app(argc, argv);
    gst_init(&argc, &argv);
    return RUN_ALL_TESTS();
}
