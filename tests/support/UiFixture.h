#pragma once

#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/ScriptedUiDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vondrel::test {

/// Installs a fresh scripted driver for each test (exceptions shown to the person fail
/// the test unless it allows them) and checks that the test left no form behind.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver_ = std::make_shared<TScriptedUiDriver>();
        driver_->SetFailOnException(true);
        previous_ = SetUiDriver(driver_);
    }
    void TearDown() override {
        Application().ProcessMessages();
        EXPECT_TRUE(Screen().Forms().empty()) << "a test left a form behind";
        SetUiDriver(previous_);
    }

    TScriptedUiDriver& Driver() { return *driver_; }

    /// The texts of the message dialogs shown so far.
    std::vector<std::string> DialogTexts() const {
        std::vector<std::string> texts;
        for (const TUiRecord& entry : driver_->Dialogs())
            texts.push_back(entry.Text);
        return texts;
    }

private:
    std::shared_ptr<TScriptedUiDriver> driver_;
    std::shared_ptr<UiDriver> previous_;
};

} // namespace vondrel::test
