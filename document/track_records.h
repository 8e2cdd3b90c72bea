// The track records. Their bytes are the .trk file: the header and every
// array record are written and read exactly as they lie in memory, so each
// size and offset below is part of the file format and is checked at compile
// time.
#ifndef KELVANE_DOCUMENT_TRACK_RECORDS_H
#define KELVANE_DOCUMENT_TRACK_RECORDS_H

#include <windows.h>

#include <cstddef>
#include <type_traits>

// The file stores little-endian words and is the memory image of these
// records; a big-endian host would need byte swapping that nothing does.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "track records are stored as little-endian memory images"
#endif

// `empty` values: new slots start unused; setters mark them used.
constexpr DWORD kSlotUnused = 1;
constexpr DWORD kSlotUsed = 0;

constexpr DWORD kMapNameSize = 64;
constexpr DWORD kMeshNameSize = 68;

struct TrackHeader {
    char magic[8];  // "MTRACK00", no terminator
    DWORD sizeX;
    DWORD sizeY;
    DWORD fieldCount;
    DWORD mapCount;
    DWORD billboardCount;
    DWORD borderCount;
    DWORD meshCount;
    BYTE reserved36[12];
    DWORD borderMap;
    BYTE reserved52[4];
    DWORD backgroundMap;
    BYTE reserved60[28];
};

// One grid cell; cell (i, j) is element i + j * sizeX.
struct Field {
    DWORD empty;
    DWORD map;
    DWORD shape;        // 0 Ground, 1 Top, 2 Slope, 3 Corner 1, 4 Corner 2
    DWORD orientation;  // quarter turns
    DWORD reserved16;
};

struct MapEntry {
    DWORD empty;
    DWORD reserved4;
    char fileName[kMapNameSize];
};

struct Billboard {
    DWORD empty;
    DWORD face;  // 1 = turns to the camera, angleY unused
    DWORD reserved8;
    DWORD posX;
    DWORD posY;
    DWORD posZ;
    DWORD scaleX;
    DWORD scaleY;
    BYTE reserved32[8];
    DWORD angleY;  // degrees
    DWORD reserved44;
    DWORD map;
};

struct Border {
    DWORD empty;
    DWORD type;  // 0 normal, 1 start time, 2 stop time
    DWORD x1;
    DWORD z1;
    DWORD x2;
    DWORD z2;
    DWORD top;
    DWORD bottom;
    DWORD reserved32;
};

struct MeshPlacement {
    DWORD empty;
    char fileName[kMeshNameSize];
    DWORD posX;
    DWORD posY;
    DWORD posZ;
    DWORD scaleX;  // tenths
    DWORD scaleY;
    DWORD scaleZ;
    DWORD reserved96;
    DWORD angleY;  // degrees
    DWORD reserved104;
};

#define KELVANE_CHECK_RECORD(type, size)                                                           \
    static_assert(sizeof(type) == (size), #type " size is fixed by the file");                     \
    static_assert(std::is_trivially_copyable<type>::value && std::is_standard_layout<type>::value, \
                  #type " must be a plain memory image")

KELVANE_CHECK_RECORD(TrackHeader, 88);
KELVANE_CHECK_RECORD(Field, 20);
KELVANE_CHECK_RECORD(MapEntry, 72);
KELVANE_CHECK_RECORD(Billboard, 52);
KELVANE_CHECK_RECORD(Border, 36);
KELVANE_CHECK_RECORD(MeshPlacement, 108);
#undef KELVANE_CHECK_RECORD

#define KELVANE_CHECK_OFFSET(type, member, offset)    \
    static_assert(offsetof(type, member) == (offset), \
                  #type "." #member " offset is fixed by the file")

KELVANE_CHECK_OFFSET(TrackHeader, magic, 0);
KELVANE_CHECK_OFFSET(TrackHeader, sizeX, 8);
KELVANE_CHECK_OFFSET(TrackHeader, sizeY, 12);
KELVANE_CHECK_OFFSET(TrackHeader, fieldCount, 16);
KELVANE_CHECK_OFFSET(TrackHeader, mapCount, 20);
KELVANE_CHECK_OFFSET(TrackHeader, billboardCount, 24);
KELVANE_CHECK_OFFSET(TrackHeader, borderCount, 28);
KELVANE_CHECK_OFFSET(TrackHeader, meshCount, 32);
KELVANE_CHECK_OFFSET(TrackHeader, reserved36, 36);
KELVANE_CHECK_OFFSET(TrackHeader, borderMap, 48);
KELVANE_CHECK_OFFSET(TrackHeader, reserved52, 52);
KELVANE_CHECK_OFFSET(TrackHeader, backgroundMap, 56);
KELVANE_CHECK_OFFSET(TrackHeader, reserved60, 60);

KELVANE_CHECK_OFFSET(Field, empty, 0);
KELVANE_CHECK_OFFSET(Field, map, 4);
KELVANE_CHECK_OFFSET(Field, shape, 8);
KELVANE_CHECK_OFFSET(Field, orientation, 12);
KELVANE_CHECK_OFFSET(Field, reserved16, 16);

KELVANE_CHECK_OFFSET(MapEntry, empty, 0);
KELVANE_CHECK_OFFSET(MapEntry, reserved4, 4);
KELVANE_CHECK_OFFSET(MapEntry, fileName, 8);

KELVANE_CHECK_OFFSET(Billboard, empty, 0);
KELVANE_CHECK_OFFSET(Billboard, face, 4);
KELVANE_CHECK_OFFSET(Billboard, reserved8, 8);
KELVANE_CHECK_OFFSET(Billboard, posX, 12);
KELVANE_CHECK_OFFSET(Billboard, posY, 16);
KELVANE_CHECK_OFFSET(Billboard, posZ, 20);
KELVANE_CHECK_OFFSET(Billboard, scaleX, 24);
KELVANE_CHECK_OFFSET(Billboard, scaleY, 28);
KELVANE_CHECK_OFFSET(Billboard, reserved32, 32);
KELVANE_CHECK_OFFSET(Billboard, angleY, 40);
KELVANE_CHECK_OFFSET(Billboard, reserved44, 44);
KELVANE_CHECK_OFFSET(Billboard, map, 48);

KELVANE_CHECK_OFFSET(Border, empty, 0);
KELVANE_CHECK_OFFSET(Border, type, 4);
KELVANE_CHECK_OFFSET(Border, x1, 8);
KELVANE_CHECK_OFFSET(Border, z1, 12);
KELVANE_CHECK_OFFSET(Border, x2, 16);
KELVANE_CHECK_OFFSET(Border, z2, 20);
KELVANE_CHECK_OFFSET(Border, top, 24);
KELVANE_CHECK_OFFSET(Border, bottom, 28);
KELVANE_CHECK_OFFSET(Border, reserved32, 32);

KELVANE_CHECK_OFFSET(MeshPlacement, empty, 0);
KELVANE_CHECK_OFFSET(MeshPlacement, fileName, 4);
KELVANE_CHECK_OFFSET(MeshPlacement, posX, 72);
KELVANE_CHECK_OFFSET(MeshPlacement, posY, 76);
KELVANE_CHECK_OFFSET(MeshPlacement, posZ, 80);
KELVANE_CHECK_OFFSET(MeshPlacement, scaleX, 84);
KELVANE_CHECK_OFFSET(MeshPlacement, scaleY, 88);
KELVANE_CHECK_OFFSET(MeshPlacement, scaleZ, 92);
KELVANE_CHECK_OFFSET(MeshPlacement, reserved96, 96);
KELVANE_CHECK_OFFSET(MeshPlacement, angleY, 100);
KELVANE_CHECK_OFFSET(MeshPlacement, reserved104, 104);
#undef KELVANE_CHECK_OFFSET

#endif
