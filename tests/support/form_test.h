#pragma once
// Shared set-up for in-process tests of the window on Qt's offscreen platform: the modal boxes,
// the beep, the mouse pointer and ending the program are replaced by recorders, so no test
// blocks on a box or ends the test process.

#include "linux/form_window.h"
#include "linux/message_box.h"
#include "program_ended.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The one QApplication of a test process.
QApplication& TestApplication();

class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window and runs its load step, as start-up does.
    ui::FormWindow& openForm();
    // The folder the program believes it was started from.
    QString programFolder() const { return folder_.path(); }

    std::vector<platform::MessageBoxRequest> boxes;
    std::vector<int> pointerChanges;
    int beeps = 0;
    int ends = 0;
    std::unique_ptr<ui::FormWindow> form;

private:
    QTemporaryDir folder_;
};
