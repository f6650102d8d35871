// The project store: values SQLite cannot take are refused in words, and the project keeps what
// it held.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>

#ifndef SQLITE_MAX_LENGTH
#define SQLITE_MAX_LENGTH 1000000000  // SQLite's default largest string or blob
#endif

#include "host/project/host_error.h"
#include "host/project/project_store.h"
#include "temp_folder.h"

TEST(ProjectStore, AnImageTooLargeToStoreIsRefusedInWordsAndTheOldOneStays) {
    TempFolder folder;
    const std::string path = (folder.path() / "p.vproj").string();
    const ImageBytes small = {1, 2, 3};
    {
        ProjectStore store(path, true);
        store.AddDevice("PLC1", small);
        store.Commit();
    }
    // Sizes past what one value may hold, and past a 32-bit length; the store must refuse them by
    // their size alone, before reading a byte, so a few bytes stand for the image here.
    constexpr size_t kOneValueLimit = SQLITE_MAX_LENGTH;
    for (const size_t size : {kOneValueLimit + 1, size_t{1} << 31, size_t{5} << 30}) {
        ProjectStore store(path, false);
        const ImageView huge(small.data(), size);
        for (const bool add : {false, true}) {
            try {
                if (add) store.AddDevice("PLC2", huge);
                else store.SaveImage("PLC1", huge);
                ADD_FAILURE() << "stored " << size << " bytes";
            } catch (const HostError& error) {
                const std::string message = error.what();
                EXPECT_NE(message.find("cannot store the image of device PLC"), std::string::npos) << message;
                EXPECT_NE(message.find(std::to_string(size) + " bytes, more than the project holds in one value"), std::string::npos)
                    << message;
            }
        }
    }
    ProjectStore store(path, false);
    EXPECT_EQ(store.FindImage("PLC1"), small);
    EXPECT_EQ(store.DeviceNames(), std::vector<std::string>{"PLC1"});
}

TEST(ProjectStore, ImportRecordsArePerDeviceAndSourceAndGoWithTheirDevice) {
    TempFolder folder;
    const std::string path = (folder.path() / "p.vproj").string();
    const ImageBytes image = {1, 2, 3};
    {
        ProjectStore store(path, true);
        store.AddDevice("PLC1", image);
        store.AddDevice("PLC2", image);
        EXPECT_TRUE(store.ImportedRows("PLC1", "DB1").empty());  // a project without records reads as none
        store.RecordImportedRows("PLC1", "DB1", {"a", "b", "a"});
        store.RecordImportedRows("PLC1", "tags", {"t"});
        store.RecordImportedRows("PLC2", "DB1", {"x"});
        store.RecordImportedRows("PLC1", "DB1", {"b", "c"});  // replaces the source's record
        store.Commit();
    }
    ProjectStore store(path, false);
    EXPECT_EQ(store.ImportedRows("PLC1", "DB1"), (TextList{"b", "c"}));
    EXPECT_EQ(store.ImportedRows("PLC1", "tags"), (TextList{"t"}));
    store.RemoveDevice("PLC1");
    store.AddDevice("PLC1", image);
    EXPECT_TRUE(store.ImportedRows("PLC1", "DB1").empty());
    EXPECT_EQ(store.ImportedRows("PLC2", "DB1"), (TextList{"x"}));
    // A row may hold any character, the record's separators included.
    const TextList odd = {"", "3:abc", std::string_view("a\0b", 3), "V1.4 type 12 rw 2\tLine1.Recipe.Name\tname\n"};
    store.RecordImportedRows("PLC2", "DB7", odd);
    EXPECT_EQ(store.ImportedRows("PLC2", "DB7"), odd);
}

TEST(ProjectStore, ImagesAndRecordsOfManyPiecesAreStoredWholeAndReplaced) {
    // Values are written a piece at a time: sizes that end in the middle of a piece, and records
    // whose rows straddle the pieces, come back byte for byte.
    TempFolder folder;
    const std::string path = (folder.path() / "p.vproj").string();
    ImageBytes image(3 * (size_t{1} << 20) + 5);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + i / 4093);
    TextList rows;
    for (int i = 0; i < 40000; ++i) rows.push_back("V" + std::to_string(i) + ".0 type 1 rw 2\tLine1.Tank_" + std::to_string(i) + "\t");
    rows.push_back(std::string((1 << 20) + 1, 'x'));  // longer than the pieces a record is held in
    {
        ProjectStore store(path, true);
        store.AddDevice("PLC1", image);
        store.RecordImportedRows("PLC1", "DB1", rows);
        store.RecordImportedRows("PLC9", "DB1", rows);  // no such device: nothing is recorded
        store.Commit();
    }
    ProjectStore store(path, false);
    EXPECT_EQ(store.FindImage("PLC1"), image);
    EXPECT_EQ(store.ImportedRows("PLC1", "DB1"), rows);
    EXPECT_TRUE(store.ImportedRows("PLC9", "DB1").empty());
    std::reverse(image.begin(), image.end());
    image.resize(image.size() - 3);
    store.SaveImage("PLC1", image);
    store.SaveImage("PLC9", image);  // no such device: nothing is stored
    EXPECT_EQ(store.FindImage("PLC1"), image);
    EXPECT_EQ(store.FindImage("PLC9"), std::nullopt);
    store.SaveImage("PLC1", ImageView());
    EXPECT_EQ(store.FindImage("PLC1"), ImageBytes());  // an empty image stays an empty value
}

TEST(ProjectStore, RecordsOfTheFirstVersionAreReadAndReplacedSourceBySource) {
    TempFolder folder;
    const std::string path = (folder.path() / "p.vproj").string();
    {
        ProjectStore store(path, true);
        store.AddDevice("PLC1", ImageBytes{1});
        store.Commit();
    }
    {
        // A project whose records were kept one table row per channel row.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE imported_rows (device INTEGER NOT NULL, source TEXT NOT NULL, row_key TEXT NOT NULL);"
                               "INSERT INTO imported_rows SELECT id, 'DB1', 'a' FROM devices;"
                               "INSERT INTO imported_rows SELECT id, 'DB1', 'b' FROM devices;"
                               "INSERT INTO imported_rows SELECT id, 'tags', 't' FROM devices;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    ProjectStore store(path, false);
    EXPECT_EQ(store.ImportedRows("PLC1", "DB1"), (TextList{"a", "b"}));
    store.RecordImportedRows("PLC1", "DB1", {"c"});
    EXPECT_EQ(store.ImportedRows("PLC1", "DB1"), (TextList{"c"}));
    EXPECT_EQ(store.ImportedRows("PLC1", "tags"), (TextList{"t"}));
    store.RemoveDevice("PLC1");
    store.AddDevice("PLC1", ImageBytes{1});
    EXPECT_TRUE(store.ImportedRows("PLC1", "tags").empty());
}
