#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "temp_folder.h"
#include "track_document.h"
#include "track_snapshot.h"

namespace {

std::string word(DWORD v) {
    return std::string(reinterpret_cast<const char*>(&v), 4);
}
std::string zeros(size_t n) {
    return std::string(n, '\0');
}

class TrackFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    // A file with the given header words, followed by `bodyBytes` zero bytes.
    std::string forgedFile(DWORD sizeX, DWORD sizeY, DWORD fieldCount, DWORD maps,
                           size_t bodyBytes) {
        std::string bytes = "MTRACK00" + word(sizeX) + word(sizeY) + word(fieldCount) + word(maps) +
                            word(0) + word(0) + word(0) + zeros(52);
        return bytes + zeros(bodyBytes);
    }

    TempFolder folder;
};

TEST_F(TrackFileTest, DefaultTrackIsThe3536ByteFile) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    const std::string path = folder.path("new.trk");
    ASSERT_EQ(doc.saveTrack(path.c_str()), 1);
    const std::string file = TempFolder::read(path);
    ASSERT_EQ(file.size(), 3536u);

    std::string expected = "MTRACK00" + word(10) + word(10) + word(100) + word(5) + word(5) +
                           word(20) + word(1) + zeros(52);
    for (int k = 0; k < 5; ++k) expected += word(1) + zeros(68);
    for (int k = 0; k < 100; ++k) expected += word(1) + zeros(16);
    for (int k = 0; k < 5; ++k) expected += word(1) + zeros(20) + word(100) + word(100) + zeros(20);
    for (int k = 0; k < 20; ++k) expected += word(1) + zeros(32);
    expected += word(1) + zeros(80) + word(100) + word(100) + word(100) + zeros(12);
    EXPECT_EQ(file, expected);
    // Section starts: maps 88, fields 448, billboards 2448, borders 2708, mesh 3428.
    EXPECT_EQ(file.substr(3428 + 84, 4), word(100));
    EXPECT_EQ(file.substr(2448 + 24, 4), word(100));
}

TEST_F(TrackFileTest, SaveThenLoadIsIdenticalToTheByte) {
    TrackDocument doc;
    fillTrack(doc);
    std::memcpy(doc.header.magic, "OTHERMAG", 8);  // carried, never checked
    const std::string a = folder.path("a.trk"), b = folder.path("b.trk");
    ASSERT_EQ(doc.saveTrack(a.c_str()), 1);
    EXPECT_EQ(doc.lastError(), TrackError::None);

    TrackDocument loaded;
    ASSERT_EQ(loaded.loadTrack(a.c_str()), 1);
    EXPECT_EQ(trackSnapshot(loaded), trackSnapshot(doc));
    EXPECT_STREQ(loaded.getMapName(0), "grass.bmp");
    EXPECT_EQ(loaded.getBillboardPosX(1), 0xFFFFFFFBu);
    ASSERT_EQ(loaded.saveTrack(b.c_str()), 1);
    EXPECT_EQ(TempFolder::read(a), TempFolder::read(b));
    // Maps come before fields in the file: map 0's name at 88 + 8.
    EXPECT_EQ(TempFolder::read(a).substr(96, 10), std::string("grass.bmp\0", 10));
    EXPECT_EQ(folder.entries(), 2u) << "no temporary file is left behind";
}

TEST_F(TrackFileTest, SaveOverALongerFileLeavesExactlyTheTrack) {
    const std::string path = folder.path("old.trk");
    TempFolder::write(path, std::string(5000, 'x'));
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    ASSERT_EQ(doc.saveTrack(path.c_str()), 1);
    EXPECT_EQ(TempFolder::read(path).size(), 3536u);
}

TEST_F(TrackFileTest, SaveWithoutTrackTouchesNoFile) {
    TrackDocument doc;
    const std::string path = folder.path("none.trk");
    EXPECT_EQ(doc.saveTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::NoTrack);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(TrackFileTest, FailedSaveLeavesTheOldFileAndNoTemporary) {
    TrackDocument doc;
    fillTrack(doc);
    EXPECT_EQ(doc.saveTrack(folder.path("missing/x.trk").c_str()), 0);
    EXPECT_STREQ(doc.lastErrorText(), "the folder does not exist");

    // The target is held open without sharing: the replacement must fail.
    const std::string path = folder.path("held.trk");
    TempFolder::write(path, "old contents");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(doc.saveTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::WriteFailed);
    CloseHandle(held);
    EXPECT_EQ(TempFolder::read(path), "old contents");

    // A folder where the file should be cannot be replaced either.
    std::filesystem::create_directory(folder.path("dir.trk"));
    EXPECT_EQ(doc.saveTrack(folder.path("dir.trk").c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::WriteFailed);
    EXPECT_STREQ(doc.lastErrorText(), "it is a folder");
    EXPECT_EQ(folder.entries(), 2u) << "only held.trk and dir.trk remain";
}

// Each refused file leaves the loaded track, and the file, as they were.
TEST_F(TrackFileTest, RefusedFilesLeaveTheDocumentUntouched) {
    TrackDocument doc;
    fillTrack(doc);
    const std::string before = trackSnapshot(doc);
    const std::string path = folder.path("bad.trk");
    const struct {
        std::string bytes;
        TrackError reason;
    } cases[] = {
        {"", TrackError::TooShort},
        {std::string("MTRACK00") + zeros(79), TrackError::TooShort},
        // 10 x 10 grid whose file ends after 50 of its 100 fields.
        {forgedFile(10, 10, 100, 0, 50 * 20), TrackError::Truncated},
        {forgedFile(10, 10, 100, 0, 100 * 20 - 1), TrackError::Truncated},
        {forgedFile(10, 10, 99, 0, 100 * 20), TrackError::InconsistentCounts},
        // 65536 x 65536 cells wrap to 0 in 32 bits.
        {forgedFile(65536, 65536, 0, 0, 0), TrackError::InconsistentCounts},
        // A forged count beyond the limits is named so, although the file is short too.
        {forgedFile(1, 1, 1, 0xFFFFFFFFu, 20), TrackError::TooLarge},
        // A forged count within the limits that the file cannot hold asks for no memory.
        {forgedFile(1, 1, 1, kMaxRecords, 20), TrackError::Truncated},
    };
    for (const auto& c : cases) {
        TempFolder::write(path, c.bytes);
        EXPECT_EQ(doc.loadTrack(path.c_str()), 0) << int(c.reason);
        EXPECT_EQ(doc.lastError(), c.reason);
        EXPECT_EQ(trackSnapshot(doc), before);
        EXPECT_EQ(TempFolder::read(path), c.bytes);
    }
    EXPECT_EQ(doc.loadTrack(folder.path("absent.trk").c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::CannotOpen);
    EXPECT_EQ(trackSnapshot(doc), before);

    TrackDocument empty;
    TempFolder::write(path, forgedFile(10, 10, 100, 0, 10));
    EXPECT_EQ(empty.loadTrack(path.c_str()), 0);
    EXPECT_EQ(empty.isLoaded(), 0u);
}

TEST_F(TrackFileTest, CountsBeyondTheLimitsAreRefusedBeforeAllocating) {
    TrackDocument doc;
    const std::string path = folder.path("huge.trk");
    // The file really is long enough (sparse), so only the limit refuses it.
    TempFolder::write(path, forgedFile(1, 1, kMaxCells + 1, 0, 0));
    std::filesystem::resize_file(path, 88 + uint64_t(kMaxCells + 1) * sizeof(Field));
    EXPECT_EQ(doc.loadTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::TooLarge);
    EXPECT_EQ(doc.isLoaded(), 0u);

    TempFolder::write(path, forgedFile(0xFFFFFFFFu, 0, 0, 0, 0));
    EXPECT_EQ(doc.loadTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::TooLarge);
}

// Salvage reads the records that are whole and leaves the others all zero,
// a record cut in the middle included; loadTrack refuses the same file and
// both tell how much of it is whole.
TEST_F(TrackFileTest, SalvageLoadsTheWholeRecordsAndZeroesTheRest) {
    TrackDocument full;
    fillTrack(full);
    const std::string path = folder.path("cut.trk");
    ASSERT_EQ(full.saveTrack(path.c_str()), 1);
    const std::string bytes = TempFolder::read(path);
    // 3 maps (216 bytes), then 7 whole cells and 10 bytes of the eighth.
    TempFolder::write(path, bytes.substr(0, 88 + 3 * 72 + 7 * 20 + 10));

    TrackDocument doc;
    EXPECT_EQ(doc.loadTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::Truncated);
    EXPECT_EQ(doc.lastDamage().completeCells(), 7u);
    EXPECT_EQ(doc.lastDamage().cellCount, 12u);
    EXPECT_EQ(doc.lastDamage().completeRecords(), 3u);
    EXPECT_EQ(doc.lastDamage().recordCount, 9u);
    EXPECT_EQ(doc.isLoaded(), 0u);

    ASSERT_EQ(doc.salvageTrack(path.c_str()), 1);
    EXPECT_EQ(doc.lastError(), TrackError::None);
    EXPECT_FALSE(doc.lastDamage().isComplete());
    EXPECT_EQ(std::memcmp(&doc.header, &full.header, sizeof doc.header), 0);
    EXPECT_EQ(std::memcmp(doc.maps, full.maps, 3 * sizeof(MapEntry)), 0);
    EXPECT_EQ(std::memcmp(doc.fields, full.fields, 7 * sizeof(Field)), 0);
    const Field zeroField = {};
    for (DWORD k = 7; k < 12; ++k)
        EXPECT_EQ(std::memcmp(&doc.fields[k], &zeroField, sizeof zeroField), 0) << k;
    const MeshPlacement zeroMesh = {};
    EXPECT_EQ(std::memcmp(&doc.meshes[1], &zeroMesh, sizeof zeroMesh), 0);

    // A whole file salvages as a plain load does.
    ASSERT_EQ(full.saveTrack(path.c_str()), 1);
    ASSERT_EQ(doc.salvageTrack(path.c_str()), 1);
    EXPECT_TRUE(doc.lastDamage().isComplete());
    EXPECT_EQ(trackSnapshot(doc), trackSnapshot(full));
    // What no salvage can mend stays refused, the track kept.
    TempFolder::write(path, forgedFile(10, 10, 99, 0, 0));
    EXPECT_EQ(doc.salvageTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::InconsistentCounts);
    TempFolder::write(path, "MTRACK00");
    EXPECT_EQ(doc.salvageTrack(path.c_str()), 0);
    EXPECT_EQ(doc.lastError(), TrackError::TooShort);
    EXPECT_EQ(trackSnapshot(doc), trackSnapshot(full));
}

TEST_F(TrackFileTest, LoadIgnoresBytesBehindTheLastRecordAndExtraFields) {
    // fieldCount above sizeX x sizeY is kept as stored.
    const std::string path = folder.path("tail.trk");
    std::string bytes = forgedFile(2, 2, 5, 1, 72 + 5 * 20);
    bytes[88 + 8] = 'w';
    TempFolder::write(path, bytes + "trailing garbage");
    TrackDocument doc;
    ASSERT_EQ(doc.loadTrack(path.c_str()), 1);
    EXPECT_EQ(doc.header.fieldCount, 5u);
    EXPECT_EQ(doc.getSizeX(), 2u);
    EXPECT_EQ(doc.maps[0].fileName[0], 'w');
    EXPECT_EQ(doc.fields[4].empty, 0u);

    const std::string copy = folder.path("copy.trk");
    ASSERT_EQ(doc.saveTrack(copy.c_str()), 1);
    EXPECT_EQ(TempFolder::read(copy), bytes);
}

}  // namespace
