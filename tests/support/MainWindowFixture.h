#pragma once
// The main window opened through its getter, with exception reports
// collected instead of shown and the model back at its start values after.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "app/WINhaupt.h"
#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "framework/widgets/OpenDialog.h"
#include "model/Module1.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QGuiApplication::setQuitOnLastWindowClosed(false);
        fw::Application::SetSupportsHiDPI(hiDPI);
        fw::SetExceptionReporter([this](const std::string& text) { reports.push_back(text); });
        Module1::RunInitializers();
        w = WINhaupt::Instance();
        // Its one redraw would fall at an unknown point of a test.
        if (quietTimer) w->Timer1()->SetEnabled(false);
        QApplication::processEvents();
    }
    void TearDown() override {
        if (auto open = fw::GetImplicitWindow(WINhaupt::kClassName)) open->Close();
        w.reset();
        fw::SetOpenDialogAnswer(nullptr);
        fw::SetExceptionReporter(nullptr);
        fw::Application::SetSupportsHiDPI(false);
        Module1::SetHauptGetter(nullptr);
        Module1::RunInitializers();
        QApplication::processEvents();
    }

    void Click(const std::shared_ptr<fw::RectControl>& c, QPoint at = {-1, -1}) {
        if (at.x() < 0) at = QPoint(c->Widget()->width() / 2, c->Widget()->height() / 2);
        QTest::mouseClick(c->Widget(), Qt::LeftButton, {}, at);
    }
    // "KZP laden" pressed, the dialog answered with path (nothing: cancelled).
    void Load(std::optional<std::string> path) {
        fw::SetOpenDialogAnswer([path] { return path; });
        Click(w->PushButton2());
    }

    bool quietTimer = true, hiDPI = false;
    std::shared_ptr<WINhaupt::WINhaupt> w;
    std::vector<std::string> reports;
};
