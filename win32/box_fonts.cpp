#include "box_fonts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace isosceles {

namespace {

// A serif's digits, where the system reports nothing of the face: about 0.66 em.
constexpr double kFallbackDigitsPerEm = 0.66;
constexpr LONG kLargeEm = 1000;

} // namespace

void BoxFonts::setFace(const LOGFONTW& face, Dpi dpi) {
    face_ = face;
    dpi_ = dpi;
    retired_ = std::move(fonts_);
    fonts_.clear();
    lineHeights_.clear();
}

HFONT BoxFonts::at(FontFit fit, bool slanted) {
    const Key key{static_cast<int>(std::lround(fit.pointSize * 4)), fit.stretch, slanted};
    if (const auto found = fonts_.find(key); found != fonts_.end()) {
        return found->second.get();
    }
    LOGFONTW face = face_;
    face.lfHeight = -static_cast<LONG>(std::lround(dpi_.fromPoints(fit.pointSize)));
    face.lfItalic = slanted ? TRUE : FALSE;
    face.lfWidth = 0;
    if (fit.stretch != 100) {
        // A width of its own: the face's average character width at this size, narrowed.
        const GdiObject<HFONT> natural(CreateFontIndirectW(&face));
        const LONG average = metricsOf(natural.get()).tmAveCharWidth;
        // A face that reports no width is left at its own.
        face.lfWidth = std::max<LONG>(0, average * fit.stretch / 100);
    }
    GdiObject<HFONT> font(CreateFontIndirectW(&face));
    if (fit.stretch != 100 && drawsFaint(font.get())) {
        // Smoothed narrow strokes can fall between pixels and come out grey (so Wine draws
        // them): the digits are then drawn unsmoothed, whole in black.
        face.lfQuality = NONANTIALIASED_QUALITY;
        font.reset(CreateFontIndirectW(&face));
    }
    return fonts_.emplace(key, std::move(font)).first->second.get();
}

TEXTMETRICW BoxFonts::metricsOf(HFONT font) const {
    const WindowDc dc(nullptr);
    const Selected selected(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics;
}

int BoxFonts::lineHeight(HFONT font) {
    const auto [height, made] = lineHeights_.try_emplace(font, 0);
    if (made) {
        height->second = metricsOf(font).tmHeight;
    }
    return height->second;
}

double BoxFonts::legibleSize(const TextMeasure& measure, const FitRules& rules,
                             bool slanted) const {
    // The same for every box of a face at a DPI, and costly to find: found once.
    static std::map<std::tuple<UINT, bool, std::wstring>, double> known;
    const auto key = std::make_tuple(dpi_.value(), slanted, std::wstring(face_.lfFaceName));
    if (const auto found = known.find(key); found != known.end()) {
        return found->second;
    }
    return known.emplace(key, isosceles::legibleSize(measure, rules)).first->second;
}

// Whether the digits, drawn black on white in this font as the system smooths it, come out
// mostly grey: less than a third of the pixels they touch dark.
bool BoxFonts::drawsFaint(HFONT font) const {
    constexpr std::wstring_view kDigits = L"0123456789";
    const WindowDc screen(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    SIZE extent{};
    std::vector<std::uint32_t> pixels;
    {
        const Selected selectedFont(dc, font);
        GetTextExtentPoint32W(dc, kDigits.data(), static_cast<int>(kDigits.size()), &extent);
        const int width = extent.cx + 8;
        const int height = extent.cy + 8;
        pixels.resize(static_cast<std::size_t>(width) * height);
        // A bitmap of the screen's kind, so that the text is drawn as on the box itself.
        const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
        if (bitmap) {
            {
                const Selected selectedBitmap(dc, bitmap.get());
                const RECT all{0, 0, width, height};
                FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkMode(dc, TRANSPARENT);
                TextOutW(dc, 4, 4, kDigits.data(), static_cast<int>(kDigits.size()));
            }
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = -height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            GetDIBits(dc, bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info,
                      DIB_RGB_COLORS);
        } else {
            pixels.clear();
        }
    }
    DeleteDC(dc);
    int touched = 0;
    int dark = 0;
    for (const std::uint32_t pixel : pixels) {
        const auto sum = (pixel & 0xff) + (pixel >> 8 & 0xff) + (pixel >> 16 & 0xff);
        touched += sum < 3 * 224 ? 1 : 0;
        dark += sum < 3 * 96 ? 1 : 0;
    }
    return dark * 3 < touched;
}

double GdiMeasure::width(std::u16string_view text, FontFit fit) const {
    const Selected font(dc_, fonts_.at(fit, slanted_));
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return size.cx;
}

// The digits' height as the face is designed, not as hinting rounds it up at a small size:
// measured once at a large size and scaled. A face without outlines (a bitmap face) has only
// the sizes it has: its digits are measured at the size the system gave, or, where even that
// fails, taken as its ascent above the baseline.
double GdiMeasure::digitHeight(FontFit fit) const {
    if (!digitsPerEm_) {
        LOGFONTW large = fonts_.face();
        large.lfHeight = -kLargeEm;
        large.lfWidth = 0;
        large.lfItalic = slanted_ ? TRUE : FALSE;
        const GdiObject<HFONT> font(CreateFontIndirectW(&large));
        const Selected selected(dc_, font.get());
        const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        UINT tallest = 0;
        for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
            GLYPHMETRICS metrics{};
            if (GetGlyphOutlineW(dc_, digit, GGO_METRICS, &metrics, 0, nullptr, &identity) !=
                GDI_ERROR) {
                tallest = std::max(tallest, metrics.gmBlackBoxY);
            }
        }
        TEXTMETRICW given{};
        const bool known = GetTextMetricsW(dc_, &given) != 0;
        const LONG em = known ? given.tmHeight - given.tmInternalLeading : 0;
        if (tallest == 0 && known) {
            tallest =
                static_cast<UINT>(std::max<LONG>(0, given.tmAscent - given.tmInternalLeading));
        }
        digitsPerEm_ = em > 0 ? static_cast<double>(tallest) / em : kFallbackDigitsPerEm;
    }
    return *digitsPerEm_ * fonts_.dpi().fromPoints(fit.pointSize);
}

} // namespace isosceles
