// Every byte a document holds, for tests that must show an operation changed
// nothing (or that two documents are identical to the byte).
#ifndef KELVANE_TESTS_DOCUMENT_TRACK_SNAPSHOT_H
#define KELVANE_TESTS_DOCUMENT_TRACK_SNAPSHOT_H

#include <string>

#include "track_document.h"

inline std::string trackSnapshot(const TrackDocument& doc) {
    std::string bytes(reinterpret_cast<const char*>(&doc.loaded), sizeof doc.loaded);
    bytes.append(reinterpret_cast<const char*>(&doc.header), sizeof doc.header);
    if (!doc.loaded) return bytes;
    const TrackHeader& h = doc.header;
    auto add = [&](const void* data, size_t size) {
        bytes.append(static_cast<const char*>(data), size);
    };
    add(doc.fields, h.fieldCount * sizeof(Field));
    add(doc.maps, h.mapCount * sizeof(MapEntry));
    add(doc.billboards, h.billboardCount * sizeof(Billboard));
    add(doc.borders, h.borderCount * sizeof(Border));
    add(doc.meshes, h.meshCount * sizeof(MeshPlacement));
    return bytes;
}

// A default track with something in every kind of record, reserved bytes and
// name tails included, so round trips have more than zeros to lose.
inline void fillTrack(TrackDocument& doc) {
    doc.createTrack(4, 3, 3, 2, 2, 2);
    doc.setFieldMap(1, 2, 2);
    doc.setFieldShape(1, 2, 4);
    doc.setFieldOrientation(3, 0, 3);
    doc.fields[5].reserved16 = 0xA5A5A5A5u;
    doc.setMapFile(0, "a-rather-long-texture-name.bmp");
    doc.setMapFile(0, "grass.bmp");  // leaves the tail of the longer name
    doc.maps[1].reserved4 = 0x11223344u;
    doc.setBillboardMap(1, 2);
    doc.setBillboardPosX(1, DWORD(-5));
    doc.setBillboardScale(1, 40, 80);
    doc.setBillboardAngle(1, 270);
    doc.billboards[0].reserved32[3] = 0x7E;
    doc.setBorderX1(0, 100);
    doc.setBorderTop(0, 50);
    doc.setBorderType(1, 2);
    doc.setMeshFile(1, "tree.x");
    doc.setMeshScale(1, 25);
    doc.setMeshAngle(1, 90);
    doc.meshes[0].reserved104 = 9;
    doc.setBorderMap(2);
    doc.setBackgroundMap(1);
    doc.header.reserved60[27] = 0x42;
}

#endif
