#include <gtest/gtest.h>

#include <QCoreApplication>

// The client reaches the private system bus of the test through QtDBus.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
