#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>

// Fonts and pixmaps need an application; numbers are checked with "." as separator.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
