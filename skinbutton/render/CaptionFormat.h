#pragma once
// Caption text-drawing flags, kept with the control as one integer (centre 1, right 2, vertical
// centre 4, bottom 8, word break 16, single line 32):
//
//   CaptionAlign | flags | meaning
//   0 centre     | 37    | centred both ways, single line
//   1 left       | 36    | left, vertically centred, single line
//   2 right      | 38    | right, vertically centred, single line
//   3 top        | 33    | centred horizontally, at the top, single line
//   4 bottom     | 41    | centred horizontally, at the bottom, single line
//   other        | the previous flags stay

namespace skin {

enum CaptionFlag : int {
    kTextCenter = 1,
    kTextRight = 2,
    kTextVCenter = 4,
    kTextBottom = 8,
    kTextWordBreak = 16,
    kTextSingleLine = 32,
};

// A new control starts with centred, word-wrapped text until its first resize.
constexpr int kNewControlCaptionFormat = kTextCenter | kTextWordBreak;

int captionFormatFor(int captionAlign, int previousFormat);

// The Qt alignment and text flags (Qt::AlignmentFlag | Qt::TextFlag) that draw a caption with
// the given format. The vertical flags only act on a single line, as they always have.
int qtTextFlagsFor(int captionFormat);

} // namespace skin
