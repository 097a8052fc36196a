#pragma once

#include "ui/command_ids.hpp"

namespace vantrek {

struct MenuItem {
    const char* label;  // '&' marks the mnemonic
    int command;
};

// One entry of the menu bar: a popup with items, or (items == nullptr) a
// command of its own.
struct MenuEntry {
    const char* title;
    int command;
    const MenuItem* items;
    int itemCount;
};

constexpr int kMenuEntryCount = 6;
extern const MenuEntry kMainMenu[kMenuEntryCount];

// One toolbar position; command 0 is a separator. Images are 20 x 20 pixels
// taken in order from the 300 x 20 toolbar strip.
struct ToolbarEntry {
    int command;
    int image;
    const char* tooltip;  // nullptr: no tooltip
};

constexpr int kToolbarEntryCount = 20;
constexpr int kToolbarImageSize = 20;
constexpr int kToolbarImageCount = 15;
extern const ToolbarEntry kToolbar[kToolbarEntryCount];

// Alt + the typed character.
struct Accelerator {
    char character;
    int command;
};

constexpr int kAcceleratorCount = 8;
extern const Accelerator kAccelerators[kAcceleratorCount];

// The command of Alt + `character`, or 0 when there is none.
int AcceleratorCommand(char character);

}  // namespace vantrek
