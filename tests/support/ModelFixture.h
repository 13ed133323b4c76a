#pragma once
// A drawing model with its start values and a stand-in for the main window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/Module1.h"

class FakeHaupt : public Module1::HauptView {
public:
    bool punkte = false, linien = true, achsen = true;
    std::string zoomText;
    int invalidates = 0, invalidatesWhenZoomShown = -1;

    bool CBpunkteValue() override { return punkte; }
    bool CBlinienValue() override { return linien; }
    bool CBachsenValue() override { return achsen; }
    void SetEFzoomText(const std::string& text) override {
        zoomText = text;
        invalidatesWhenZoomShown = invalidates;
    }
    void InvalidateCAhaupt() override { ++invalidates; }
};

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Module1::RunInitializers();
        view = std::make_shared<FakeHaupt>();
        Module1::SetHauptGetter([v = view] { return v; });
    }
    void TearDown() override {
        Module1::SetHauptGetter(nullptr);
        Module1::RunInitializers();
    }

    // The drawing calls of one rendering into the current picture (made by init first if needed).
    static std::vector<std::string> Draws() {
        if (!Module1::zebild) Module1::init();
        std::vector<std::string> ops;
        Module1::zebild->Graphics().SetRecorder(&ops);
        Module1::zeichnen();
        Module1::zebild->Graphics().SetRecorder(nullptr);
        return ops;
    }

    static void SetPoint(std::int64_t i, double x, double y) {
        Module1::punkt.Set(i, 1, x);
        Module1::punkt.Set(i, 2, y);
    }
    static void SetLine(std::int64_t k, std::int64_t index, std::int64_t pen) {
        Module1::linie.Set(k, 1, index);
        Module1::linie.Set(k, 2, pen);
    }

    std::shared_ptr<FakeHaupt> view;
};
