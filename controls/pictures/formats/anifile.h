// Animated cursor files: a RIFF file of form "ACON" holding a header ("anih"), display rates
// ("rate"), the frame sequence ("seq "), the frames as icon or cursor files in a "LIST" of
// type "fram", and the title and creator in a "LIST" of type "INFO".
#pragma once

#include "controls/pictures/formats/iconfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace duebell::pictures {

struct TAniCursorFrameData {
    TIconImage icon; // the frame's best image
    int rate = 0;    // its display time in jiffies (1/60 s)
};

struct TAniCursorData {
    std::vector<TAniCursorFrameData> frames;
    int defaultRate = 0;       // from the header
    std::vector<int> sequence; // frame indices to show in turn; every frame in order when absent
    std::string title;         // at most 255 characters each
    std::string creator;
};

// Raises EReadError ("Stream read error") for anything that is not a sound animated cursor:
// another form ("RIFX" among them), a chunk larger than what holds it, a missing header or
// frame, a sequence entry naming no frame, a frame that is not an icon or cursor file.
// Chunks and lists of other kinds are passed over; odd-sized chunks are followed by a pad
// byte. Frame i takes the rate chunk's entry i, or the header's rate.
TAniCursorData ReadAniCursor(std::string_view bytes);

} // namespace duebell::pictures
