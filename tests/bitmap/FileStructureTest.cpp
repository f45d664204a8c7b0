// A JPEG file's markers walked without decoding it: what a decoder that passes over
// damage (WIC) or reads past the end as nought (arithmetic coding) would not say.
#include <string>

#include <gtest/gtest.h>

#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FileStructure.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::Bytes;

// The start, a table segment, a scan's header, `data`, then `tail`.
Bytes Jpeg(const Bytes& data, const Bytes& tail) {
    Bytes bytes = {0xff, 0xd8, 0xff, 0xdb, 0x00, 0x04, 0x00, 0x01, 0xff,
                   0xda, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3f, 0x00};
    for (const Bytes* part : {&data, &tail})
        for (const std::uint8_t byte : *part)
            bytes.push_back(byte);
    return bytes;
}

FileStructure StructureOf(const Bytes& bytes) {
    const testing::TempFolder folder;
    const std::string name = folder.Path("walked.jpg");
    testing::WriteBytes(name, bytes);
    const FileHandle file = OpenForReading(name);
    return JpegStructure(file.get());
}

const Bytes kEnd = {0xff, 0xd9};

TEST(JpegStructure, DataWithStuffedBytesAndRestartsInOrderIsWholeWhateverFollowsTheEnd) {
    const Bytes data = {0x12, 0xff, 0x00, 0x34, 0xff, 0xd0, 0x56, 0xff, 0xd1, 0x78};
    EXPECT_EQ(StructureOf(Jpeg(data, kEnd)), FileStructure::Whole);
    EXPECT_EQ(StructureOf(Jpeg(data, {0xff, 0xd9, 0x00, 0x17})), FileStructure::Whole);
}

TEST(JpegStructure, AFileEndingBeforeItsEndMarkerIsCut) {
    EXPECT_EQ(StructureOf(Jpeg({0x12, 0x34}, {})), FileStructure::Cut);
    EXPECT_EQ(StructureOf(Jpeg({0x12, 0x34}, {0xff})), FileStructure::Cut);
}

TEST(JpegStructure, RestartMarkersOutOfOrderAreDamage) {
    EXPECT_EQ(StructureOf(Jpeg({0x12, 0xff, 0xd0, 0x34, 0xff, 0xd2}, kEnd)),
              FileStructure::Damaged);
}

TEST(JpegStructure, AMarkerNoScanIsFollowedByIsDamage) {
    EXPECT_EQ(StructureOf(Jpeg({0x12, 0xff, 0x24, 0x00, 0x02, 0x34}, kEnd)),
              FileStructure::Damaged);
}

// A segment's own bytes are no markers, and the next scan follows its tables.
TEST(JpegStructure, SegmentsAndScansAfterAScanAreWalkedByTheirLengths) {
    const Bytes tables = {0xff, 0xc4, 0x00, 0x05, 0xff, 0x24, 0x00,
                          0xff, 0xda, 0x00, 0x03, 0x01, 0x56};
    Bytes tail = tables;
    tail.push_back(0xff);
    tail.push_back(0xd9);
    EXPECT_EQ(StructureOf(Jpeg({0x12}, tail)), FileStructure::Whole);
}

} // namespace
} // namespace slanter
