// Records kept as runs, the way the history stores what a step changed: a
// run is a 32-bit count followed by one record that stands count times, so
// the millions of equal cells a Set All leaves behind take a few bytes, and
// distinct records cost four bytes more each.
#ifndef KELVANE_DOCUMENT_RECORD_RUNS_H
#define KELVANE_DOCUMENT_RECORD_RUNS_H

#include <cstddef>
#include <cstdint>
#include <vector>

using RunBytes = std::vector<unsigned char>;

// Appends records one at a time; a record equal to the one before extends
// its run. Call finish() before the bytes are read.
class RunWriter {
public:
    explicit RunWriter(size_t recordSize) : size_(recordSize) {}
    void push(const unsigned char* record, RunBytes* out);
    void finish(RunBytes* out);
    bool pending() const { return count_ != 0; }

private:
    size_t size_;
    uint32_t count_ = 0;
    size_t at_ = 0;  // offset of the open run's record in out
};

// The runs of `count` consecutive records, appended to out.
void encodeRuns(const unsigned char* records, size_t count, size_t recordSize, RunBytes* out);

// Writes the records the runs stand for. False, with nothing written, when
// they do not stand for exactly `count` records of that size.
bool decodeRuns(const RunBytes& runs, size_t recordSize, unsigned char* records, size_t count);

// How many records the runs stand for, or SIZE_MAX when they are damaged.
size_t runRecordCount(const RunBytes& runs, size_t recordSize);

#endif
