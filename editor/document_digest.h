// A fingerprint of the track's bytes, so the editor asks about unsaved work
// only when something really changed: a setter that writes the value already
// stored leaves it as it was.
#ifndef KELVANE_EDITOR_DOCUMENT_DIGEST_H
#define KELVANE_EDITOR_DOCUMENT_DIGEST_H

#include <cstdint>

struct TrackDocument;

// 64-bit FNV-1a over the loaded flag, the header and the five arrays as the
// header counts them. Cheap enough to take at every New, Load and Save.
uint64_t documentDigest(const TrackDocument& document);

// The digest of the track as last created, loaded or saved.
void markDocumentSaved(const TrackDocument& document);
// The track differs from its file although no edit was made (a salvaged
// track): changed until the next markDocumentSaved.
void markDocumentChanged();
bool documentChangedSinceSaved(const TrackDocument& document);

#endif
