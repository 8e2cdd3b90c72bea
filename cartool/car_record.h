// The car record: the program's one CarRecord and, byte for byte, the
// content of a .car file (little-endian, IEEE single-precision floats).
#ifndef DORVIK_CAR_RECORD_H
#define DORVIK_CAR_RECORD_H

#include <cstddef>
#include <cstdint>
#include <limits>

const std::size_t kCarNameSize = 64;

struct CarRecord {
    char magic[6];  // "MCAR00", no terminator
    std::uint8_t reserved[2];
    float powerFactor;
    float frontTireMax;
    float rearTireMax;
    float brakingForce;
    float carPositionY;
    float suspensionKu;
    float suspensionKv;
    char bodyMesh[kCarNameSize];  // NUL-terminated, zero-padded
    char wheelMesh[kCarNameSize];
};

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "floats must be IEEE single precision");
static_assert(sizeof(CarRecord) == 164, "a .car file is 164 bytes");
static_assert(offsetof(CarRecord, reserved) == 6, "CarRecord layout");
static_assert(offsetof(CarRecord, powerFactor) == 8, "CarRecord layout");
static_assert(offsetof(CarRecord, frontTireMax) == 12, "CarRecord layout");
static_assert(offsetof(CarRecord, rearTireMax) == 16, "CarRecord layout");
static_assert(offsetof(CarRecord, brakingForce) == 20, "CarRecord layout");
static_assert(offsetof(CarRecord, carPositionY) == 24, "CarRecord layout");
static_assert(offsetof(CarRecord, suspensionKu) == 28, "CarRecord layout");
static_assert(offsetof(CarRecord, suspensionKv) == 32, "CarRecord layout");
static_assert(offsetof(CarRecord, bodyMesh) == 36, "CarRecord layout");
static_assert(offsetof(CarRecord, wheelMesh) == 100, "CarRecord layout");

// The record lives for the whole run; its magic is set when the dialog opens.
extern CarRecord carRecord;

#endif
