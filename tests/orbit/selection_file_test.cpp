#include "orbit/selection_file.hpp"

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(SelectionFile, RoundTripAsLittleEndianFlags) {
    TemporaryFolder folder;
    const ProgramFolder program{folder.path()};
    RecordingMessageSink messages;
    auto saved = std::make_unique<SatelliteCatalog>();
    saved->selected[1] = 1;
    saved->selected[399] = 1;
    saved->selected[7] = 0x01020304;
    ASSERT_TRUE(writeSelection(program, *saved, messages));

    const std::string bytes = fileBytes(folder.file("Select.bol"));
    ASSERT_EQ(bytes.size(), 1600u);
    EXPECT_EQ(bytes[4], 1);
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes.substr(28, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Select.bol.tmp")));

    auto loaded = std::make_unique<SatelliteCatalog>();
    for (int32_t& flag : loaded->selected) flag = 1;
    ASSERT_TRUE(readSelection(program, *loaded, messages));
    for (int i = 0; i < kCatalogCapacity; ++i) EXPECT_EQ(loaded->selected[i], saved->selected[i]) << i;
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SelectionFile, MissingOrWrongSizedFileLeavesTheSelection) {
    TemporaryFolder folder;
    const ProgramFolder program{folder.path()};
    RecordingMessageSink messages;
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->selected[0] = 1;
    catalog->selected[1] = 1;

    EXPECT_FALSE(readSelection(program, *catalog, messages));
    for (std::size_t size : {std::size_t{800}, std::size_t{1601}, std::size_t{0}}) {
        folder.write("Select.bol", std::string(size, '\0'));
        EXPECT_FALSE(readSelection(program, *catalog, messages)) << size;
        EXPECT_EQ(catalog->selected[1], 1) << size;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SelectionFile, UnknownProgramFolderIsReportedAndNothingIsTouched) {
    RecordingMessageSink messages;
    auto catalog = std::make_unique<SatelliteCatalog>();
    EXPECT_FALSE(readSelection(ProgramFolder{}, *catalog, messages));
    EXPECT_FALSE(writeSelection(ProgramFolder{}, *catalog, messages));
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "Incorrect Quorle pragram path!");
    EXPECT_EQ(messages.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(messages.messages[1].caption, "");
}

TEST(SelectionFile, FailedWriteLeavesThePreviousFileWhole) {
    TemporaryFolder folder;
    const ProgramFolder program{folder.path()};
    RecordingMessageSink messages;
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->selected[3] = 1;
    ASSERT_TRUE(writeSelection(program, *catalog, messages));
    const std::string before = fileBytes(folder.file("Select.bol"));

    catalog->selected[3] = 0;
    catalog->selected[4] = 1;
    // A full disk: the temporary file is /dev/full, where every write fails.
    if (std::filesystem::exists("/dev/full")) {
        std::filesystem::create_symlink("/dev/full", folder.file("Select.bol.tmp"));
        EXPECT_FALSE(writeSelection(program, *catalog, messages));
        EXPECT_EQ(fileBytes(folder.file("Select.bol")), before);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder.file("Select.bol.tmp"))));
    }
    // The temporary file cannot be created at all.
    std::filesystem::create_directory(folder.file("Select.bol.tmp"));
    EXPECT_FALSE(writeSelection(program, *catalog, messages));
    EXPECT_EQ(fileBytes(folder.file("Select.bol")), before);
    EXPECT_TRUE(messages.messages.empty());
}
