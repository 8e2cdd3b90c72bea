// Writing a car record to its file.
#ifndef DORVIK_CAR_FILE_H
#define DORVIK_CAR_FILE_H

#include <string>

#include "car_record.h"

// Writes exactly the 164 bytes of the record to `path` through a new file
// beside it that replaces the old one only once it is complete, so a failed
// write leaves an existing file as it was. False with the reason in words.
bool writeCarFile(const char* path, const CarRecord& record, std::string* reason);

#endif
