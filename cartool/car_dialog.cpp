#include "car_dialog.h"

#include <cstring>
#include <string>

#include "car_file.h"
#include "car_number.h"
#include "car_record.h"
#include "dorvik_ids.h"

HINSTANCE instanceHandle;
CarRecord carRecord;

namespace {

// Each box read as text holds at most this many characters.
const int kTextBufferSize = 64;

struct DefaultText {
    int id;
    const char* text;
};

const DefaultText kDefaults[] = {
    {IDC_POWER_FACTOR, "1.0"},      {IDC_FRONT_TIRE_MAX, "4000.0"}, {IDC_REAR_TIRE_MAX, "5000.0"},
    {IDC_BRAKING_FORCE, "3500.0"},  {IDC_CAR_POSITION_Y, "0.0"},    {IDC_SUSPENSION_KU, "25000.0"},
    {IDC_SUSPENSION_KV, "30000.0"}, {IDC_BODY_MESH, "body.x"},      {IDC_WHEEL_MESH, "wheel.x"},
    {IDC_CAR_FILE, "NewCar.car"},
};

void initDialog(HWND dialog) {
    HICON icon = LoadIconA(instanceHandle, MAKEINTRESOURCEA(IDI_DORVIK));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    std::memcpy(carRecord.magic, "MCAR00", sizeof carRecord.magic);
    for (const DefaultText& box : kDefaults) SetWindowTextA(GetDlgItem(dialog, box.id), box.text);
}

float readNumber(HWND dialog, int id) {
    char text[kTextBufferSize] = {0};
    GetWindowTextA(GetDlgItem(dialog, id), text, kTextBufferSize);
    return carNumberFromText(text);
}

// The whole field is cleared first, so the name is zero-padded.
void readName(HWND dialog, int id, char (&field)[kCarNameSize]) {
    char text[kCarNameSize];
    std::memset(text, 0, sizeof text);
    GetWindowTextA(GetDlgItem(dialog, id), text, static_cast<int>(sizeof text));
    std::memcpy(field, text, sizeof field);
}

void readRecord(HWND dialog) {
    carRecord.powerFactor = readNumber(dialog, IDC_POWER_FACTOR);
    carRecord.frontTireMax = readNumber(dialog, IDC_FRONT_TIRE_MAX);
    carRecord.rearTireMax = readNumber(dialog, IDC_REAR_TIRE_MAX);
    carRecord.brakingForce = readNumber(dialog, IDC_BRAKING_FORCE);
    carRecord.carPositionY = readNumber(dialog, IDC_CAR_POSITION_Y);
    carRecord.suspensionKu = readNumber(dialog, IDC_SUSPENSION_KU);
    carRecord.suspensionKv = readNumber(dialog, IDC_SUSPENSION_KV);
    readName(dialog, IDC_BODY_MESH, carRecord.bodyMesh);
    readName(dialog, IDC_WHEEL_MESH, carRecord.wheelMesh);
}

// "Generate!": the record from the boxes, then the file; a file that cannot
// be written is reported, and the dialog stays open either way.
void generate(HWND dialog) {
    char fileName[kTextBufferSize] = {0};
    GetWindowTextA(GetDlgItem(dialog, IDC_CAR_FILE), fileName, kTextBufferSize);
    readRecord(dialog);
    std::string reason;
    if (writeCarFile(fileName, carRecord, &reason)) return;
    std::string message =
        std::string("Cannot write the car file \"") + fileName + "\": " + reason + ".";
    MessageBoxA(dialog, message.c_str(), "Dorvik", MB_OK | MB_ICONERROR);
}

}  // namespace

INT_PTR CALLBACK CarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initDialog(dialog);
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_GENERATE) generate(dialog);
            return 0;
        case WM_SYSCOMMAND:
            if (wParam != SC_CLOSE) return 0;
            EndDialog(dialog, 0);
            return 1;
        default:
            return 0;
    }
}
