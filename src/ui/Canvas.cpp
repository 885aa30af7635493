#include "ui/Canvas.h"

namespace vondrel {

TCanvas::TCanvas() : font_(std::make_unique<TFont>()) {
    static const TClassInfo& info = DescribeClass<TCanvas>(
        "TCanvas", [](TClassBuilder<TCanvas>& c) { c.Property("Font", &TCanvas::Font); });
    SetClass(info);
}

void TCanvas::FillRect(const TRect& rect) {
    TDrawOp op;
    op.What = TDrawOp::Kind::FillRect;
    op.Rect = rect;
    op.Color = brushColor_;
    ops_.push_back(std::move(op));
}

void TCanvas::FrameRect(const TRect& rect, TColor color) {
    TDrawOp op;
    op.What = TDrawOp::Kind::Frame;
    op.Rect = rect;
    op.Color = color;
    ops_.push_back(std::move(op));
}

void TCanvas::DrawGlyph(const TRect& dest, const TBitmap& bitmap, const TRect& source,
                        TColor transparentColor) {
    TDrawOp op;
    op.What = TDrawOp::Kind::Glyph;
    op.Rect = dest;
    op.Bitmap = &bitmap;
    op.Source = source;
    op.TransparentColor = transparentColor;
    ops_.push_back(std::move(op));
}

TDrawOp TCanvas::TextOp(const std::string& text) const {
    TDrawOp op;
    op.What = TDrawOp::Kind::Text;
    op.Text = text;
    op.Color = font_->Color();
    op.FontName = font_->Name();
    op.FontHeight = font_->Height();
    op.FontStyle = font_->Style();
    return op;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    TDrawOp op = TextOp(text);
    op.At = {x, y};
    op.Rect = Bounds(x, y, TextWidth(text), TextHeight());
    ops_.push_back(std::move(op));
}

void TCanvas::DrawText(const std::string& text, const TRect& box, unsigned flags) {
    const std::string shown = (flags & DT_NOPREFIX) ? text : StripAccelerator(text);
    TDrawOp op = TextOp(shown);
    op.Rect = box;
    op.Flags = flags;
    const int width = TextWidth(shown);
    const int height = TextHeight();
    int x = box.Left;
    if (flags & DT_CENTER)
        x = box.Left + (box.Width() - width) / 2;
    else if (flags & DT_RIGHT)
        x = box.Right - width;
    int y = box.Top;
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
        y = box.Top + (box.Height() - height) / 2;
    else if ((flags & DT_SINGLELINE) && (flags & DT_BOTTOM))
        y = box.Bottom - height;
    op.At = {x, y};
    ops_.push_back(std::move(op));
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    TDrawOp op;
    op.What = TDrawOp::Kind::FocusRect;
    op.Rect = rect;
    ops_.push_back(std::move(op));
}

std::string StripAccelerator(std::string_view caption) {
    std::string result;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += caption[i];
    }
    return result;
}

char32_t AcceleratorOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        char c = caption[i + 1];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        return static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(c) : 0;
    }
    return 0;
}

} // namespace vondrel
