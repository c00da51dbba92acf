#include "GelArtwork.h"

#include <QImage>

#include <stdexcept>

namespace skin::gel {

namespace {

consteval int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw "not an upper-case hex digit";
}

// "RRGGBB", red first, as colours are written for people.
consteval Color colorFromText(const char* text)
{
    int v[6] = {};
    for (int i = 0; i < 6; ++i)
        v[i] = hexDigit(text[i]);
    return rgb(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
}

// N colours "RRGGBB RRGGBB ...", one space apart; any other count does not compile.
template <std::size_t N>
consteval std::array<Color, N> colorRow(const char* text)
{
    std::array<Color, N> row{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < N; ++i) {
        row[i] = colorFromText(text + at);
        at += 6;
        if (i + 1 < N && text[at++] != ' ')
            throw "colours are one space apart";
    }
    if (text[at] != '\0')
        throw "more colours than the band has";
    return row;
}

// graphite: the resting look
constexpr Bands kGraphiteBands{
    colorRow<kLeftColumns>(
        "F7F7F7 A0A0A0 999999 C3C3C3 C9C9C9 D5D5D5 D7D7D7 DFDFDF "
        "E0E0E0 E0E0E0 E4E4E4 E6E8E6 E7E7E8 E8E7EA E8E7EA E8E7EA "
        "E8E7EA E8E7EA"),
    colorRow<kRightColumns>(
        "F6F6F6 9C9C9C A3A3A3 C3C3C3 CCCCCC D3D3D3 D9D9D9 DEDEDE "
        "E0E0E0 E0E0E0 E4E4E4 E6E6E6 E7E7E7 E8E7EA E8E7EA E8E7EA "
        "E8E7EA"),
    colorRow<kTopRows>(
        "6A6967 F6F4F5 F4F2F3 EEEEEE EBEBEB EAE8EB EAE8EB EAEAEA "
        "E1E1E1 E3E2E5 E8E7EA E9EBE8"),
    colorRow<kBottomRows>(
        "E9EBE8 EFF1EE F2F2F2 F5F5F5 FEFEFF FFFFFF FDFDFD FEFEFE "
        "FBFBFB 545454 C5C5C5"),
    colorFromText("E8E7EA"),
};

// blue: hot or focused
constexpr Bands kBlueBands{
    colorRow<kLeftColumns>(
        "F7F7F7 9EA0B0 132E71 145FBD 2773D1 317FD4 3D8CD9 4B94D9 "
        "4F94D7 559CDC 579BDC 62A3E3 65A2E3 67A3E2 65A1E0 6AA6E3 "
        "6AA6E3 6AA6E2"),
    colorRow<kRightColumns>(
        "F6F6F6 989BAB 14357C 135DC0 2674D6 2D7FD1 398DD6 4B93DB "
        "5297DC 5598DE 5B9FE0 61A1E1 63A3E0 63A3E0 64A4E1 6AA6E2 "
        "6AA6E2"),
    colorRow<kTopRows>(
        "080645 C9D4F1 BDC8E5 A1C0E8 98B8E0 8EB4E3 8BB1E0 7FB4E9 "
        "6399CE 64A0DD 6AA6E2 76ACE6"),
    colorRow<kBottomRows>(
        "76ACE6 81B6F1 8ABDF3 92C5FC 97CEF8 9ED5FE A3DDF7 ADE6FF "
        "C5E2E9 405D63 C5C5C5"),
    colorFromText("6AA6E2"),
};

// pressed blue
constexpr Bands kPressedBlueBands{
    colorRow<kLeftColumns>(
        "F7F7F7 9B9DA9 172D63 1D5AA6 2E6CB9 3877BC 4282C1 4E89C2 "
        "528AC1 5791C5 5991C5 6398CC 6596CC 6797CB 6595C9 6A9ACC "
        "6A9ACC 6A9BCC"),
    colorRow<kRightColumns>(
        "F6F6F6 9497A4 19336D 1C58A8 2D6DBD 3476B9 3E82BE 4E88C3 "
        "558CC4 578EC6 5D94C9 6295CA 6397C9 6397C9 6498CA 6A9BCC "
        "6A9BCC"),
    colorRow<kTopRows>(
        "0A093C BEC7DE B2BCD3 9AB3D4 92ACCC 8AA8CF 87A5CC 7DA7D2 "
        "628EB9 6494C6 6A9BCC 75A1D0"),
    colorRow<kBottomRows>(
        "75A1D0 7FAADA 87B0DC 8EB8E4 93BFE1 99C6E7 9DCCE2 A6D5E9 "
        "BAD2D7 3E565A C5C5C5"),
    colorFromText("6A9BCC"),
};
// Rows of the top and bottom blocks: the graphite image has taller top blocks, the blue ones
// taller bottom blocks.
constexpr int kGraphiteTopRows = 13;
constexpr int kGraphiteBottomRows = 10;
constexpr int kBlueTopRows = 11;
constexpr int kBlueBottomRows = 12;

// The rounded ends, row by row from the outer edge inward. The top ends are rounder than the
// bottom ones, whose outermost row is the drop shadow; the bottom right leaves column W-1 out
// down to the right band's end.
constexpr int kTopLeftInsets[] = {6, 4, 3, 2, 1, 1, 1, 1};
constexpr int kTopRightInsets[] = {7, 5, 3, 2, 2, 1, 1, 1, 1, 1};
constexpr int kBottomLeftInsets[] = {5, 3, 2, 1, 1, 1, 1};
constexpr int kBottomRightInsets[] = {5, 4, 3, 2, 1, 1, 1, 1, 1, 1};

const char* imageName(Image image)
{
    switch (image) {
    case Image::Graphite: return "graphite";
    case Image::Blue: return "blue";
    case Image::PressedBlue: return "pressed-blue";
    }
    return "";
}

const char* cornerName(Corner corner)
{
    switch (corner) {
    case Corner::TopLeft: return "top-left";
    case Corner::BottomLeft: return "bottom-left";
    case Corner::TopRight: return "top-right";
    case Corner::BottomRight: return "bottom-right";
    }
    return "";
}

std::vector<StoredPixel> readBlock(Image image, Corner corner)
{
    const QString path = blockResource(image, corner);
    const QImage block = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (block.size() != blockSize(image, corner))
        throw std::runtime_error("gel artwork missing or of the wrong size: " + path.toStdString());
    std::vector<StoredPixel> pixels;
    for (int y = 0; y < block.height(); ++y)
        for (int x = 0; x < block.width(); ++x) {
            const QRgb p = block.pixel(x, y);
            if (qAlpha(p) == 255)
                pixels.push_back({x, y, rgb(qRed(p), qGreen(p), qBlue(p))});
        }
    return pixels;
}

} // namespace

const Bands& bands(Image image)
{
    switch (image) {
    case Image::Blue: return kBlueBands;
    case Image::PressedBlue: return kPressedBlueBands;
    case Image::Graphite: break;
    }
    return kGraphiteBands;
}

QSize blockSize(Image image, Corner corner)
{
    const bool graphite = image == Image::Graphite;
    const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
    const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
    // the right blocks are one column narrower; the bottom-right stops short of column W-1
    const int width = left ? kLeftColumns : corner == Corner::TopRight ? kRightColumns : kRightColumns - 1;
    const int height = top ? (graphite ? kGraphiteTopRows : kBlueTopRows)
                           : (graphite ? kGraphiteBottomRows : kBlueBottomRows);
    return {width, height};
}

std::span<const int> outlineInsets(Corner corner)
{
    switch (corner) {
    case Corner::TopLeft: return kTopLeftInsets;
    case Corner::TopRight: return kTopRightInsets;
    case Corner::BottomLeft: return kBottomLeftInsets;
    case Corner::BottomRight: return kBottomRightInsets;
    }
    return {};
}

QString blockResource(Image image, Corner corner)
{
    return QStringLiteral(":/skinbutton/gel/%1-%2.png").arg(QLatin1String(imageName(image)), QLatin1String(cornerName(corner)));
}

const std::vector<StoredPixel>& storedPixels(Image image, Corner corner)
{
    using Blocks = std::array<std::array<std::vector<StoredPixel>, std::size(kCorners)>, std::size(kImages)>;
    // read once, on first use
    static const Blocks blocks = [] {
        Blocks read;
        for (const Image i : kImages)
            for (const Corner c : kCorners)
                read[std::size_t(i)][std::size_t(c)] = readBlock(i, c);
        return read;
    }();
    return blocks[std::size_t(image)][std::size_t(corner)];
}

} // namespace skin::gel
