#pragma once
// A drawing model with its start values and a stand-in for the main window,
// whose renderings can be recorded call by call.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/Module1.h"

class FakeHaupt : public Module1::HauptView {
public:
    bool punkte = false, linien = true, achsen = true;
    std::string zoomText;
    int invalidates = 0;
    std::vector<std::string>* ops = nullptr;
    std::vector<std::string> reads;  // which box was read, in order

    bool CBpunkteValue() override { return Read("CBpunkte", punkte); }
    bool CBlinienValue() override { return Read("CBlinien", linien); }
    bool CBachsenValue() override { return Read("CBachsen", achsen); }
    void SetEFzoomText(const std::string& text) override { zoomText = text; }
    void InvalidateCAhaupt() override {
        ++invalidates;
        if (ops) ops->push_back("Invalidate");
    }

private:
    bool Read(const char* name, bool value) {
        reads.emplace_back(name);
        if (ops) ops->push_back(std::string("Read ") + name);
        return value;
    }
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

    // The calls of one rendering into the current picture (made by init first if needed).
    std::vector<std::string> Render() {
        if (!Module1::zebild) Module1::init();
        std::vector<std::string> ops;
        Module1::zebild->Graphics().SetRecorder(&ops);
        view->ops = &ops;
        Module1::zeichnen();
        Module1::zebild->Graphics().SetRecorder(nullptr);
        view->ops = nullptr;
        return ops;
    }

    // Only the drawing calls (no box reads, no Invalidate).
    std::vector<std::string> Draws() {
        std::vector<std::string> out;
        for (auto& op : Render()) {
            if (op.rfind("Read ", 0) != 0 && op != "Invalidate") out.push_back(op);
        }
        return out;
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
