#include "record_runs.h"

#include <cstring>

namespace {

void putCount(RunBytes* out, uint32_t count) {
    unsigned char bytes[4];
    std::memcpy(bytes, &count, sizeof count);
    out->insert(out->end(), bytes, bytes + sizeof bytes);
}

uint32_t countAt(const unsigned char* at) {
    uint32_t count;
    std::memcpy(&count, at, sizeof count);
    return count;
}

// The same record `count` times: one copy, then the filled part copied onto
// the rest, doubling each time, so a long run costs a few large memcpy calls.
void fillRecords(unsigned char* to, const unsigned char* record, size_t size, size_t count) {
    std::memcpy(to, record, size);
    size_t filled = size, total = size * count;
    while (filled < total) {
        size_t step = filled < total - filled ? filled : total - filled;
        std::memcpy(to + filled, to, step);
        filled += step;
    }
}

// The encoder with the record size known at compile time, so each compare
// is a few word loads instead of a call.
template <size_t Size>
void encodeFixed(const unsigned char* records, size_t count, RunBytes* out) {
    size_t k = 0;
    while (k < count) {
        const unsigned char* first = records + k * Size;
        size_t run = 1;
        while (k + run < count && run < UINT32_MAX &&
               std::memcmp(first, records + (k + run) * Size, Size) == 0)
            ++run;
        putCount(out, static_cast<uint32_t>(run));
        out->insert(out->end(), first, first + Size);
        k += run;
    }
}

void encodeAnySize(const unsigned char* records, size_t count, size_t size, RunBytes* out) {
    RunWriter writer(size);
    for (size_t k = 0; k < count; ++k) writer.push(records + k * size, out);
    writer.finish(out);
}

}  // namespace

void RunWriter::push(const unsigned char* record, RunBytes* out) {
    if (count_ != 0 && count_ < UINT32_MAX && std::memcmp(out->data() + at_, record, size_) == 0) {
        ++count_;
        return;
    }
    finish(out);
    putCount(out, 0);  // patched by finish()
    at_ = out->size();
    out->insert(out->end(), record, record + size_);
    count_ = 1;
}

void RunWriter::finish(RunBytes* out) {
    if (count_ == 0) return;
    std::memcpy(out->data() + at_ - sizeof count_, &count_, sizeof count_);
    count_ = 0;
}

void encodeRuns(const unsigned char* records, size_t count, size_t recordSize, RunBytes* out) {
    switch (recordSize) {
        case 20:
            return encodeFixed<20>(records, count, out);
        case 36:
            return encodeFixed<36>(records, count, out);
        case 52:
            return encodeFixed<52>(records, count, out);
        case 72:
            return encodeFixed<72>(records, count, out);
        case 88:
            return encodeFixed<88>(records, count, out);
        case 108:
            return encodeFixed<108>(records, count, out);
        default:
            return encodeAnySize(records, count, recordSize, out);
    }
}

size_t runRecordCount(const RunBytes& runs, size_t recordSize) {
    size_t total = 0, at = 0, chunk = sizeof(uint32_t) + recordSize;
    while (at < runs.size()) {
        if (runs.size() - at < chunk) return SIZE_MAX;
        uint32_t count = countAt(runs.data() + at);
        if (count == 0) return SIZE_MAX;
        total += count;
        at += chunk;
    }
    return total;
}

bool decodeRuns(const RunBytes& runs, size_t recordSize, unsigned char* records, size_t count) {
    if (recordSize == 0 || runRecordCount(runs, recordSize) != count) return false;
    size_t at = 0;
    unsigned char* to = records;
    while (at < runs.size()) {
        uint32_t run = countAt(runs.data() + at);
        const unsigned char* record = runs.data() + at + sizeof run;
        fillRecords(to, record, recordSize, run);
        to += size_t(run) * recordSize;
        at += sizeof run + recordSize;
    }
    return true;
}
