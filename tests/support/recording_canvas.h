// A canvas that writes down what is drawn on it, with fixed text metrics.
#pragma once

#include "chart/chart_canvas.h"

#include <string>
#include <vector>

namespace tarvelo::test {

struct RecordingCanvas : ChartCanvas {
    std::vector<std::string> calls;
    PenState pen;
    FontState font;
    int charWidth = 10, lineHeight = 20;

    void setPen(const PenState& p) override { pen = p; }
    void setFont(const FontState& f) override {
        font = f;
        calls.push_back("font " + f.family + " " + std::to_string(f.size) + " " +
                        std::to_string(f.style));
    }
    void moveTo(int x, int y) override { calls.push_back("move " + xy(x, y)); }
    void lineTo(int x, int y) override { calls.push_back("line " + xy(x, y)); }
    TextSize measure(std::string_view t) override {
        return {static_cast<int>(t.size()) * charWidth, lineHeight};
    }
    void fillWhite(int l, int t, int r, int b) override {
        calls.push_back("white " + xy(l, t) + " " + xy(r, b));
    }
    void textTopLeft(int x, int y, std::string_view t) override {
        calls.push_back("text " + xy(x, y) + " " + std::string(t));
    }
    void textBaseline(int x, int y, std::string_view t, double deg) override {
        calls.push_back("baseline " + xy(x, y) + " " + std::string(t) + " " +
                        std::to_string(static_cast<int>(deg)));
    }
    void circle(int x, int y, int r, Rgb fill) override {
        calls.push_back("circle " + xy(x, y) + " " + std::to_string(r) + " " +
                        std::to_string(fill.r) + "," + std::to_string(fill.g) + "," +
                        std::to_string(fill.b) + " pen " + std::to_string(pen.colour.r) + "," +
                        std::to_string(pen.colour.g) + "," + std::to_string(pen.colour.b) + " w" +
                        std::to_string(pen.width));
    }
    static std::string xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

} // namespace tarvelo::test
