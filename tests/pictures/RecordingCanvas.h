#pragma once

#include <QPoint>
#include <QString>

#include <vector>

#include "drawing/Canvas.h"

namespace quillet::testing {

// A surface that draws nothing and records every call with its arguments and
// the pen, brush and font at the time.
class RecordingCanvas : public Canvas {
public:
    enum class Op { Pen, Brush, Font, MoveTo, LineTo, Rectangle, TextOut, FloodFill };
    struct Call {
        Op op;
        std::vector<long long> args;
        QString text;
        Colour penColour, brushColour, fontColour;
        int penWidth, fontHeight, fontEscapement;
        BrushStyle brushStyle;
        QString fontFace;
        QPoint Point() const {
            return QPoint(static_cast<int>(args.at(0)), static_cast<int>(args.at(1)));
        }
    };
    // A move and the line-tos after it.
    struct Stroke {
        std::vector<QPoint> points;
        std::vector<Colour> colours;
        int penWidth = 0;
    };

    std::vector<Call> calls;

    void SetPenColour(Colour c) override {
        Canvas::SetPenColour(c);
        Record(Op::Pen, {c});
    }
    void SetPenWidth(int w) override {
        Canvas::SetPenWidth(w);
        Record(Op::Pen, {w});
    }
    void SetBrushColour(Colour c) override {
        Canvas::SetBrushColour(c);
        Record(Op::Brush, {c});
    }
    void SetBrushStyle(BrushStyle s) override {
        Canvas::SetBrushStyle(s);
        Record(Op::Brush, {});
    }
    void SetFontFace(const QString& f) override {
        Canvas::SetFontFace(f);
        Record(Op::Font, {}, f);
    }
    void SetFontHeight(int h) override {
        Canvas::SetFontHeight(h);
        Record(Op::Font, {h});
    }
    void SetFontColour(Colour c) override {
        Canvas::SetFontColour(c);
        Record(Op::Font, {c});
    }
    void SetFontEscapement(int e) override {
        Canvas::SetFontEscapement(e);
        Record(Op::Font, {e});
    }
    void MoveTo(int x, int y) override { Record(Op::MoveTo, {x, y}); }
    void LineTo(int x, int y) override { Record(Op::LineTo, {x, y}); }
    void Rectangle(int x1, int y1, int x2, int y2) override {
        Record(Op::Rectangle, {x1, y1, x2, y2});
    }
    void TextOut(int x, int y, const QString& text) override { Record(Op::TextOut, {x, y}, text); }
    void FloodFill(int x, int y, Colour border) override { Record(Op::FloodFill, {x, y, border}); }

    std::vector<Call> Only(Op op) const {
        std::vector<Call> found;
        for (const Call& call : calls)
            if (call.op == op) found.push_back(call);
        return found;
    }

    std::vector<Stroke> Strokes() const {
        std::vector<Stroke> strokes;
        for (const Call& call : calls) {
            if (call.op == Op::MoveTo)
                strokes.push_back({{call.Point()}, {call.penColour}, call.penWidth});
            if (call.op != Op::LineTo || strokes.empty()) continue;
            strokes.back().points.push_back(call.Point());
            strokes.back().colours.push_back(call.penColour);
        }
        return strokes;
    }

private:
    void Record(Op op, std::vector<long long> args, const QString& text = {}) {
        calls.push_back({op, std::move(args), text, PenColour(), BrushColour(), FontColour(),
                         PenWidth(), FontHeight(), FontEscapement(), GetBrushStyle(), FontFace()});
    }
};

}  // namespace quillet::testing
