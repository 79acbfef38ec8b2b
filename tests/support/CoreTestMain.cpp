// The tests of the widget-free libraries run on a QCoreApplication, so that linking or
// starting anything of the window system in them fails.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
