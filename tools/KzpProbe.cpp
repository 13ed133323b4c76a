// kzp-probe: drives the drawing model without any window, for tests and
// benchmarks. Not a feature of the viewer.
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/painting/GraphicsQt_p.h"  // SetRenderThreads: --threads
#include "framework/painting/Picture.h"
#include "framework/text/Text.h"
#include "framework/widgets/OpenDialog.h"
#include "model/Module1.h"

namespace {

class ProbeView : public Module1::HauptView {
public:
    bool punkte = false, linien = true, achsen = true;
    std::vector<std::string>* ops = nullptr;
    bool CBpunkteValue() override { return punkte; }
    bool CBlinienValue() override { return linien; }
    bool CBachsenValue() override { return achsen; }
    void SetEFzoomText(const std::string&) override {}
    void InvalidateCAhaupt() override {
        if (ops) ops->push_back("Invalidate");
    }
};

int Usage() {
    std::cerr << "usage: kzp-probe render [--size WxH] [--origin X,Y] [--zoom Z] [--ratio R] [--points] [--no-lines]\n"
                 "                        [--no-axes] [--ops] [--png FILE] [--repeat N] [--threads N] [FILE...]\n"
                 "       kzp-probe read [--rows N] FILE...\n";
    return 2;
}

bool ParsePair(const std::string& text, char separator, std::int64_t& a, std::int64_t& b) {
    const auto pos = text.find(separator);
    if (pos == std::string::npos) return false;
    try {
        std::size_t used = 0;
        a = std::stoll(text.substr(0, pos), &used);
        if (used != pos) return false;
        b = std::stoll(text.substr(pos + 1), &used);
        return used == text.size() - pos - 1;
    } catch (const std::exception&) {
        return false;
    }
}

// Loads a file through the reader, the open dialog answered with its path.
void Load(const std::string& path) {
    fw::SetOpenDialogAnswer([path]() -> std::optional<std::string> { return path; });
    struct Restore {
        ~Restore() { fw::SetOpenDialogAnswer(nullptr); }
    } restore;
    Module1::datenlesen();
}

int Read(const std::vector<std::string>& args) {
    std::int64_t rows = 0;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--rows") {
            if (i + 1 >= args.size()) return Usage();
            try {
                std::size_t used = 0;
                rows = std::stoll(args[++i], &used);
                if (used != args[i].size()) return Usage();
            } catch (const std::exception&) {
                return Usage();
            }
        } else if (!args[i].empty() && args[i][0] == '-') {
            return Usage();
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty()) return Usage();

    Module1::RunInitializers();
    for (const auto& file : files) {
        std::cout << "file " << file << '\n';
        try {
            Load(file);
        } catch (const fw::RuntimeException& e) {
            std::cout << "refused " << e.what() << '\n';
        }
        std::cout << "anzpkt " << Module1::anzpkt << '\n' << "anzlin " << Module1::anzlin << '\n';
        const std::int64_t lastPoint = std::min(Module1::kLastRow, std::max(Module1::anzpkt, rows));
        for (std::int64_t i = 1; i <= lastPoint; ++i) {
            std::cout << "punkt " << i << ' ' << fw::ShortestDouble(Module1::punkt.Get(i, 1)) << ' '
                      << fw::ShortestDouble(Module1::punkt.Get(i, 2)) << '\n';
        }
        const std::int64_t lastLine = std::min(Module1::kLastRow, std::max(Module1::anzlin, rows));
        for (std::int64_t k = 1; k <= lastLine; ++k) {
            std::cout << "linie " << k << ' ' << Module1::linie.Get(k, 1) << ' ' << Module1::linie.Get(k, 2) << '\n';
        }
    }
    return 0;
}

int Render(const std::vector<std::string>& args) {
    auto view = std::make_shared<ProbeView>();
    std::int64_t width = 400, height = 400, ox = 20, oy = 380, zoom = 50, repeat = 0, threads = 0;
    double ratio = 1.0;
    bool printOps = false;
    std::string png;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--size") {
            const auto* v = next();
            if (!v || !ParsePair(*v, 'x', width, height)) return Usage();
        } else if (a == "--origin") {
            const auto* v = next();
            if (!v || !ParsePair(*v, ',', ox, oy)) return Usage();
        } else if (a == "--zoom" || a == "--repeat" || a == "--threads") {
            const auto* v = next();
            if (!v) return Usage();
            try {
                (a == "--zoom" ? zoom : a == "--repeat" ? repeat : threads) = std::stoll(*v);
            } catch (const std::exception&) {
                return Usage();
            }
        } else if (a == "--ratio") {
            const auto* v = next();
            std::size_t used = 0;
            try {
                ratio = v ? std::stod(*v, &used) : 0.0;
            } catch (const std::exception&) {
                return Usage();
            }
            if (!v || used != v->size() || !(ratio >= 1.0 && ratio <= 8.0)) return Usage();
        } else if (a == "--points") {
            view->punkte = true;
        } else if (a == "--no-lines") {
            view->linien = false;
        } else if (a == "--no-axes") {
            view->achsen = false;
        } else if (a == "--ops") {
            printOps = true;
        } else if (a == "--png") {
            const auto* v = next();
            if (!v) return Usage();
            png = *v;
        } else if (!a.empty() && a[0] == '-') {
            return Usage();
        } else {
            files.push_back(a);
        }
    }
    if (zoom < 1) {
        std::cerr << "kzp-probe: the zoom factor must be at least 1\n";
        return 2;
    }

    // 0: one thread per core.
    fw::SetRenderThreads(int(std::clamp<std::int64_t>(threads, 0, 256)));
    // Device pixels per point of every picture; --png writes all of them.
    fw::Picture::SetDevicePixelRatio(ratio);
    Module1::RunInitializers();
    Module1::SetHauptGetter([view] { return view; });
    for (const auto& file : files) Load(file);
    Module1::breite = width;
    Module1::hoehe = height;
    Module1::origx = ox;
    Module1::origy = oy;
    Module1::zoomfaktor = zoom;
    Module1::init();

    std::vector<std::string> ops;
    if (printOps) {
        Module1::zebild->Graphics().SetRecorder(&ops);
        view->ops = &ops;
        Module1::zeichnen();
        Module1::zebild->Graphics().SetRecorder(nullptr);
        view->ops = nullptr;
        for (const auto& line : ops) std::cout << line << '\n';
    }
    if (repeat > 0) {
        std::vector<double> ms;
        for (std::int64_t r = 0; r < repeat; ++r) {
            const auto start = std::chrono::steady_clock::now();
            Module1::zeichnen();
            (void)Module1::zebild->Pixel(0, 0);  // the pixels, not just the calls
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(ms.begin(), ms.end());
        std::cout << "render median " << ms[ms.size() / 2] << " ms\n";
    }
    if (!png.empty() && !Module1::zebild->SavePng(png)) {
        std::cerr << "kzp-probe: cannot write " << png << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string command = args.front();
    args.erase(args.begin());
    try {
        if (command == "render") return Render(args);
        if (command == "read") return Read(args);
    } catch (const fw::RuntimeException& e) {
        std::cerr << "kzp-probe: " << e.what() << '\n';
        return 1;
    }
    return Usage();
}
