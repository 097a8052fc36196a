#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "platform/message_sink.hpp"
#include "platform/settings_store.hpp"
#include "platform/temporary_folder.hpp"
#include "ui/main_window.hpp"

namespace vantrek {

// A fresh main-window state with a temporary program folder, settings in
// memory and recorded message boxes.
struct MainWindowWorld {
    TemporaryFolder folder;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    MainWindowServices services;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();

    MainWindowWorld() {
        services.folder.path = folder.path();
        services.store = &store;
        services.messages = &messages;
        StartUpDefaults(*state);
    }

    void startUp() { StartUpLoad(*state, services, {2026, 7, 1, 2}, {2026, 7, 1, 0}); }
    CommandOutcome run(int command) { return RunCommand(*state, services, command); }
    Repaint key(int code) { return KeyPressed(*state, services, code); }
};

struct MainWindowTest : ::testing::Test, MainWindowWorld {};

}  // namespace vantrek
