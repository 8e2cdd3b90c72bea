// The caption of every message box the track editor shows: its own name.
#ifndef KELVANE_EDITOR_MESSAGE_CAPTION_H
#define KELVANE_EDITOR_MESSAGE_CAPTION_H

const char kMessageCaption[] = "Kelvane";

#endif
