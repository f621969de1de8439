// Reading the styles part into the model: fonts, fills, borders, cell formats, number formats and
// the colours they use.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "report/XlsInternal.h"

namespace xls {

namespace {

// Excel's standard palette of indexed colours.
constexpr uint32_t kPalette[64] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  //
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  //
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  //
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  //
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  //
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  //
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  //
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

// The standard Office theme, in the order style indices use (lt1, dk1, lt2, dk2, accents, links).
const std::vector<uint32_t> kDefaultTheme = {0xFFFFFF, 0x000000, 0xE7E6E6, 0x44546A, 0x4472C4, 0xED7D31,
                                             0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72};

std::optional<uint32_t> ParseHex(std::string_view text) {
    if (text.size() != 6 && text.size() != 8) return std::nullopt;
    uint32_t v = 0;
    for (char c : text) {
        int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<uint32_t>(d);
    }
    return text.size() == 6 ? (0xFF000000u | v) : v;
}

// Lightens (tint > 0) or darkens (tint < 0) a colour in HSL space, as Excel does.
uint32_t ApplyTint(uint32_t argb, double tint) {
    if (tint == 0) return argb;
    double r = ((argb >> 16) & 0xFF) / 255.0, g = ((argb >> 8) & 0xFF) / 255.0, b = (argb & 0xFF) / 255.0;
    double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    double l = (mx + mn) / 2, h = 0, s = 0;
    if (mx != mn) {
        double d = mx - mn;
        s = l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
        if (mx == r) h = (g - b) / d + (g < b ? 6 : 0);
        else if (mx == g) h = (b - r) / d + 2;
        else h = (r - g) / d + 4;
        h /= 6;
    }
    l = tint < 0 ? l * (1 + tint) : l * (1 - tint) + tint;
    l = std::clamp(l, 0.0, 1.0);
    auto hue = [](double p, double q, double t) {
        if (t < 0) t += 1;
        if (t > 1) t -= 1;
        if (t < 1.0 / 6) return p + (q - p) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    if (s == 0) {
        r = g = b = l;
    } else {
        double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
        double p = 2 * l - q;
        r = hue(p, q, h + 1.0 / 3);
        g = hue(p, q, h);
        b = hue(p, q, h - 1.0 / 3);
    }
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return (argb & 0xFF000000u) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

struct ColorContext {
    std::vector<uint32_t> palette;
    const std::vector<uint32_t>* theme;

    std::optional<uint32_t> Resolve(pugi::xml_node color) const {
        if (!color || BoolAttribute(color, "auto", false)) return std::nullopt;
        std::optional<uint32_t> v;
        if (pugi::xml_attribute rgb = color.attribute("rgb")) {
            v = ParseHex(rgb.value());
        } else if (color.attribute("theme")) {
            int i = IntAttribute(color, "theme", -1);
            if (i >= 0 && static_cast<size_t>(i) < theme->size()) v = 0xFF000000u | (*theme)[static_cast<size_t>(i)];
        } else if (color.attribute("indexed")) {
            int i = IntAttribute(color, "indexed", -1);
            if (i >= 0 && static_cast<size_t>(i) < palette.size()) v = palette[static_cast<size_t>(i)];
        }
        if (v) v = ApplyTint(*v, DoubleAttribute(color, "tint", 0));
        return v;
    }
};

XlsBorderLine ReadLine(pugi::xml_node line, const ColorContext& colors) {
    XlsBorderLine out;
    if (!line) return out;
    out.style = line.attribute("style").value();
    if (out.style == "none") out.style.clear();
    out.color = colors.Resolve(FirstChild(line, "color"));
    return out;
}

bool FlagElement(pugi::xml_node parent, std::string_view name) {
    pugi::xml_node n = FirstChild(parent, name);
    return n && BoolAttribute(n, "val", true);
}

}  // namespace

uint32_t StandardPaletteColor(int index) {
    return 0xFF000000u | (index >= 0 && index < 64 ? kPalette[index] : 0u);
}

std::vector<uint32_t> ThemeColors(pugi::xml_node theme) {
    std::vector<uint32_t> colors = kDefaultTheme;
    if (!theme) return colors;
    pugi::xml_node scheme = FirstChild(FirstChild(theme, "themeElements"), "clrScheme");
    static constexpr std::string_view order[] = {"lt1", "dk1", "lt2", "dk2", "accent1", "accent2", "accent3",
                                                 "accent4", "accent5", "accent6", "hlink", "folHlink"};
    for (size_t i = 0; i < std::size(order); ++i) {
        pugi::xml_node slot = FirstChild(scheme, order[i]);
        if (pugi::xml_node srgb = FirstChild(slot, "srgbClr")) {
            if (auto v = ParseHex(srgb.attribute("val").value())) colors[i] = *v & 0xFFFFFF;
        } else if (pugi::xml_node sys = FirstChild(slot, "sysClr")) {
            if (auto v = ParseHex(sys.attribute("lastClr").value())) colors[i] = *v & 0xFFFFFF;
        }
    }
    return colors;
}

std::string BuiltInNumberFormat(int id) {
    // As Japanese Excel shows them.
    switch (id) {
    case 0: return "General";
    case 1: return "0";
    case 2: return "0.00";
    case 3: return "#,##0";
    case 4: return "#,##0.00";
    case 5: return "\"¥\"#,##0;\"¥\"\\-#,##0";
    case 6: return "\"¥\"#,##0;[Red]\"¥\"\\-#,##0";
    case 7: return "\"¥\"#,##0.00;\"¥\"\\-#,##0.00";
    case 8: return "\"¥\"#,##0.00;[Red]\"¥\"\\-#,##0.00";
    case 9: return "0%";
    case 10: return "0.00%";
    case 11: return "0.00E+00";
    case 12: return "# ?/?";
    case 13: return "# ?\?/?\?";
    case 14: return "yyyy/m/d";
    case 15: return "d-mmm-yy";
    case 16: return "d-mmm";
    case 17: return "mmm-yy";
    case 18: return "h:mm AM/PM";
    case 19: return "h:mm:ss AM/PM";
    case 20: return "h:mm";
    case 21: return "h:mm:ss";
    case 22: return "yyyy/m/d h:mm";
    case 27: case 36: case 50: case 57: return "[$-411]ge.m.d";
    case 28: case 29: case 51: case 54: case 58: return "[$-411]ggge\"年\"m\"月\"d\"日\"";
    case 30: return "m/d/yy";
    case 31: return "yyyy\"年\"m\"月\"d\"日\"";
    case 32: return "h\"時\"mm\"分\"";
    case 33: return "h\"時\"mm\"分\"ss\"秒\"";
    case 34: case 52: case 55: return "yyyy\"年\"m\"月\"";
    case 35: case 53: case 56: return "m\"月\"d\"日\"";
    case 37: return "#,##0 ;(#,##0)";
    case 38: return "#,##0 ;[Red](#,##0)";
    case 39: return "#,##0.00;(#,##0.00)";
    case 40: return "#,##0.00;[Red](#,##0.00)";
    case 45: return "mm:ss";
    case 46: return "[h]:mm:ss";
    case 47: return "mmss.0";
    case 48: return "##0.0E+0";
    case 49: return "@";
    default: return "";
    }
}

XlsOpenError CheckStyleCounts(pugi::xml_node styleSheet, const ReadLimits& limits, std::string_view part,
                              std::string* detail) {
    static constexpr std::pair<std::string_view, std::string_view> kLists[] = {
        {"numFmts", "numFmt"}, {"fonts", "font"}, {"fills", "fill"}, {"borders", "border"},
        {"cellStyleXfs", "xf"}, {"cellXfs", "xf"}, {"cellStyles", "cellStyle"}, {"dxfs", "dxf"}};
    for (auto [list, entry] : kLists) {
        if (CountChildren(FirstChild(styleSheet, list), entry) <= limits.styles) continue;
        if (detail) *detail = std::string(part) + ": " + std::string(list) + " of more than " + std::to_string(limits.styles) + " entries";
        return XlsOpenError::tooLarge;
    }
    return XlsOpenError::none;
}

XlsStyles ReadStyles(pugi::xml_node sheet, const std::vector<uint32_t>& theme) {
    ColorContext colors{std::vector<uint32_t>(), &theme};
    for (uint32_t c : kPalette) colors.palette.push_back(0xFF000000u | c);
    if (pugi::xml_node custom = FirstChild(FirstChild(sheet, "colors"), "indexedColors")) {
        size_t i = 0;
        for (pugi::xml_node c = custom.first_child(); c && i < colors.palette.size(); c = c.next_sibling()) {
            if (!IsElement(c, "rgbColor")) continue;
            if (auto v = ParseHex(c.attribute("rgb").value())) colors.palette[i] = *v;
            ++i;
        }
    }
    XlsStyles styles;
    for (pugi::xml_node f = FirstChild(sheet, "fonts").first_child(); f; f = f.next_sibling()) {
        if (!IsElement(f, "font")) continue;
        XlsFont font;
        if (pugi::xml_node n = FirstChild(f, "name")) font.name = n.attribute("val").value();
        if (pugi::xml_node n = FirstChild(f, "sz")) font.size = DoubleAttribute(n, "val", 11);
        font.bold = FlagElement(f, "b");
        font.italic = FlagElement(f, "i");
        font.strike = FlagElement(f, "strike");
        if (pugi::xml_node u = FirstChild(f, "u")) {
            font.underline = u.attribute("val") ? u.attribute("val").value() : "single";
            if (font.underline == "none") font.underline.clear();
        }
        if (pugi::xml_node v = FirstChild(f, "vertAlign")) font.verticalAlign = v.attribute("val").value();
        if (font.verticalAlign == "baseline") font.verticalAlign.clear();
        font.color = colors.Resolve(FirstChild(f, "color"));
        styles.fonts.push_back(std::move(font));
    }
    for (pugi::xml_node f = FirstChild(sheet, "fills").first_child(); f; f = f.next_sibling()) {
        if (!IsElement(f, "fill")) continue;
        XlsFill fill;
        if (pugi::xml_node p = FirstChild(f, "patternFill")) {
            fill.pattern = p.attribute("patternType") ? p.attribute("patternType").value() : "none";
            fill.foreground = colors.Resolve(FirstChild(p, "fgColor"));
            fill.background = colors.Resolve(FirstChild(p, "bgColor"));
        } else if (pugi::xml_node g = FirstChild(f, "gradientFill")) {
            fill.pattern = "gradient";
            pugi::xml_node stop = FirstChild(g, "stop");
            fill.foreground = colors.Resolve(FirstChild(stop, "color"));
        }
        styles.fills.push_back(std::move(fill));
    }
    for (pugi::xml_node b = FirstChild(sheet, "borders").first_child(); b; b = b.next_sibling()) {
        if (!IsElement(b, "border")) continue;
        XlsBorder border;
        pugi::xml_node left = FirstChild(b, "left"), right = FirstChild(b, "right");
        border.left = ReadLine(left ? left : FirstChild(b, "start"), colors);
        border.right = ReadLine(right ? right : FirstChild(b, "end"), colors);
        border.top = ReadLine(FirstChild(b, "top"), colors);
        border.bottom = ReadLine(FirstChild(b, "bottom"), colors);
        border.diagonal = ReadLine(FirstChild(b, "diagonal"), colors);
        border.diagonalUp = BoolAttribute(b, "diagonalUp", false);
        border.diagonalDown = BoolAttribute(b, "diagonalDown", false);
        styles.borders.push_back(std::move(border));
    }
    std::map<int, std::string> custom;
    for (pugi::xml_node n = FirstChild(sheet, "numFmts").first_child(); n; n = n.next_sibling())
        if (IsElement(n, "numFmt")) custom[IntAttribute(n, "numFmtId", -1)] = n.attribute("formatCode").value();
    for (pugi::xml_node x = FirstChild(sheet, "cellXfs").first_child(); x; x = x.next_sibling()) {
        if (!IsElement(x, "xf")) continue;
        XlsCellFormat cf;
        cf.numberFormatId = IntAttribute(x, "numFmtId", 0);
        cf.fontId = IntAttribute(x, "fontId", 0);
        cf.fillId = IntAttribute(x, "fillId", 0);
        cf.borderId = IntAttribute(x, "borderId", 0);
        auto it = custom.find(cf.numberFormatId);
        cf.numberFormat = it != custom.end() ? it->second : BuiltInNumberFormat(cf.numberFormatId);
        if (cf.numberFormat.empty()) cf.numberFormat = "General";
        if (pugi::xml_node a = FirstChild(x, "alignment")) {
            if (a.attribute("horizontal")) cf.horizontal = a.attribute("horizontal").value();
            if (a.attribute("vertical")) cf.vertical = a.attribute("vertical").value();
            cf.wrapText = BoolAttribute(a, "wrapText", false);
            cf.shrinkToFit = BoolAttribute(a, "shrinkToFit", false);
            cf.indent = IntAttribute(a, "indent", 0);
            cf.textRotation = IntAttribute(a, "textRotation", 0);
        }
        styles.cellFormats.push_back(std::move(cf));
    }
    return styles;
}

}  // namespace xls

// ---- guarded lookups of the model ----

namespace {
template <class T>
const T& Pick(const std::vector<T>& list, int id) {
    static const T fallback{};
    if (id >= 0 && static_cast<size_t>(id) < list.size()) return list[static_cast<size_t>(id)];
    return list.empty() ? fallback : list.front();
}
}  // namespace

const XlsFont& XlsStyles::Font(int id) const { return Pick(fonts, id); }
const XlsFill& XlsStyles::Fill(int id) const { return Pick(fills, id); }
const XlsBorder& XlsStyles::Border(int id) const { return Pick(borders, id); }
const XlsCellFormat& XlsStyles::CellFormat(int id) const { return Pick(cellFormats, id); }
