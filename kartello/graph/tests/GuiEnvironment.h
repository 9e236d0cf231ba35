#pragma once
// Drawing text into the overlay images needs the font database of a
// QGuiApplication; the offscreen platform serves when no display is present.
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (QGuiApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kartello_graph_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    // Gone before the program's static objects are, which Qt needs.
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};
