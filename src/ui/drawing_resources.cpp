#include "ui/drawing_resources.hpp"

namespace vantrek {

namespace {

constexpr Colour kBrushColours[kBrushCount] = {
    {0, 0, 0},     {150, 150, 150}, {250, 0, 0},     {255, 255, 255}, {0, 0, 180},  {100, 100, 250},
    {255, 100, 50}, {255, 255, 25},  {200, 200, 200}, {0, 0, 100},     {50, 0, 50},
};

constexpr Pen kPens[kPenCount] = {
    {1, {250, 250, 250}}, {1, {0, 255, 0}},   {1, {160, 160, 255}}, {1, {250, 0, 0}},
    {2, {0, 0, 200}},     {1, {255, 100, 0}}, {1, {255, 255, 0}},   {1, {150, 150, 150}},
    {1, {0, 0, 100}},     {2, {50, 0, 50}},
};

}  // namespace

const SkinFile kSkinFiles[kSkinCount] = {
    {BitmapId::Night, "skins/night.bmp", "Read bitmap night.bmp failed!"},
    {BitmapId::Day, "skins/day.bmp", "Read bitmap day.bmp failed!"},
    {BitmapId::Iss, "skins/iss.bmp", "Read bitmap iss.bmp failed!"},
    {BitmapId::Sun, "skins/sun.bmp", "Read bitmap sun.bmp failed!"},
    {BitmapId::Moon, "skins/moon.bmp", "Read bitmap moon.bmp failed!"},
    {BitmapId::MoonDark, "skins/moondark.bmp", "Read bitmap moondark.bmp failed!"},
    {BitmapId::Hst, "skins/hst.bmp", "Read bitmap hst.bmp failed!"},
    {BitmapId::Sat, "skins/sat.bmp", "Read bitmap sat.bmp failed!"},
    {BitmapId::NotSell, "skins/notsell.bmp", "Read bitmap notsell.bmp failed!"},
};

FontSpec FontFor(FontId font) {
    return font == FontId::Large ? FontSpec{30, 1} : FontSpec{15, 0};
}

Brush BrushFor(BrushId brush) {
    return Brush{kBrushColours[static_cast<int>(brush)], false};
}

Pen PenFor(PenId pen) { return kPens[static_cast<int>(pen)]; }

int LoadSkinBitmaps(const ProgramFolder& folder,
                    const std::function<bool(BitmapId, const std::string&)>& load,
                    MessageSink& messages) {
    std::string path;
    if (folder.pathUnknown) {
        messages.showMessage("Can't find Quorle program path!", "", MessageIcon::Error);
        return 0;
    }
    if (!programFilePath(folder, "skins", path)) {
        messages.showMessage("Incorrect Quorle pragram path!", "", MessageIcon::Error);
        return 0;
    }
    int loaded = 0;
    for (const SkinFile& skin : kSkinFiles) {
        programFilePath(folder, skin.relativePath, path);
        if (load(skin.bitmap, path)) ++loaded;
        else messages.showMessage(skin.failureMessage, "", MessageIcon::Error);
    }
    return loaded;
}

}  // namespace vantrek
